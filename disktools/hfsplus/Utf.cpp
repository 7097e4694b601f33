#include "Utf.h"

namespace hfsplus {

namespace {

bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
  std::u32string out;
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    // The lead byte tells the length, its own bits of the value, and the
    // least value that needs that length (anything less is overlong).
    struct Form {
      unsigned char mask, tag;
      int length;
      char32_t smallest;
    };
    static constexpr Form kForms[] = {{0x80, 0x00, 1, 0}, {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800},
                                      {0xF8, 0xF0, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& candidate : kForms)
      if ((lead & candidate.mask) == candidate.tag) form = &candidate;
    if (!form) return std::nullopt;
    const int length = form->length;
    const char32_t smallest = form->smallest;
    char32_t c = lead & static_cast<unsigned char>(~form->mask);
    if (bytes.size() - i < static_cast<size_t>(length)) return std::nullopt;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || IsSurrogate(c)) return std::nullopt;
    out += c;
    i += length;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view codePoints) {
  std::string out;
  for (char32_t c : codePoints) {
    if (c > 0x10FFFF || IsSurrogate(c)) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string EncodeUtf16(std::u32string_view codePoints) {
  std::u16string out;
  for (char32_t c : codePoints) {
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
  }
  return out;
}

std::u32string DecodeUtf16(std::u16string_view units) {
  std::u32string out;
  for (size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      out += 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else {
      out += IsSurrogate(unit) ? char32_t{0xFFFD} : unit;
    }
  }
  return out;
}

}  // namespace hfsplus
