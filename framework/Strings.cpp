#include "Strings.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

std::string Str(int32_t value) { return std::to_string(value); }
std::string Str(uint32_t value) { return std::to_string(value); }

std::string Str(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e18) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
  }
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double Val(const std::string& text) {
  // Leading blanks, an optional sign, digits with an optional fraction and an
  // optional exponent: the longest such prefix is the number.
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const auto isDigit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  size_t digits = 0;
  while (isDigit(i)) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (isDigit(i)) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t k = i + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (isDigit(k)) {
      while (isDigit(k)) ++k;
      end = k;
    }
  }
  std::string number = text.substr(start, end - start);
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  double value = 0.0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves value alone when out of range: decide by the exponent's sign.
    const bool negative = number[0] == '-';
    const bool tiny = number.find("e-") != std::string::npos || number.find("E-") != std::string::npos;
    if (tiny) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  return value;
}

double Max(double a, double b, std::initializer_list<double> more) {
  double best = a > b ? a : b;
  for (double v : more) best = v > best ? v : best;
  return best;
}

double Round(double value) { return std::round(value); }

int32_t ToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

uint32_t ToUInt32(double value) {
  if (std::isnan(value) || value <= 0.0) return 0;
  if (value >= 4294967295.0) return std::numeric_limits<uint32_t>::max();
  return static_cast<uint32_t>(value);
}

std::string Trim(const std::string& text) {
  const char* space = " \t\n\v\f\r";
  const size_t first = text.find_first_not_of(space);
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(space);
  return text.substr(first, last - first + 1);
}

std::string NthField(const std::string& text, const std::string& separator, int32_t index) {
  if (index < 1) return "";
  if (separator.empty()) return index == 1 ? text : "";
  size_t begin = 0;
  for (int32_t field = 1; field < index; ++field) {
    const size_t found = text.find(separator, begin);
    if (found == std::string::npos) return "";
    begin = found + separator.size();
  }
  const size_t end = text.find(separator, begin);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

int32_t CountFields(const std::string& text, const std::string& separator) {
  if (separator.empty()) return 1;
  int32_t count = 1;
  for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, at + separator.size()))
    ++count;
  return count;
}

std::string Chr(uint32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x110000) {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

namespace {

// Byte length of the character that starts at text[at]. A byte that does not
// start a well-formed sequence counts as one character of its own, so that
// text which is not valid UTF-8 is still split without losing bytes.
size_t CharWidth(const std::string& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t width = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (at + width > text.size()) return 1;
  for (size_t k = 1; k < width; ++k)
    if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 1;
  return width;
}

// Byte offset of the character at 0-based position index (or the end).
size_t ByteOffset(const std::string& text, int32_t index) {
  size_t at = 0;
  for (int32_t i = 0; i < index && at < text.size(); ++i) at += CharWidth(text, at);
  return at;
}

}  // namespace

int32_t Len(const std::string& text) {
  int32_t count = 0;
  for (size_t at = 0; at < text.size(); at += CharWidth(text, at)) ++count;
  return count;
}

std::string Left(const std::string& text, int32_t count) {
  if (count <= 0) return "";
  return text.substr(0, ByteOffset(text, count));
}

std::string Right(const std::string& text, int32_t count) {
  if (count <= 0) return "";
  const int32_t length = Len(text);
  if (count >= length) return text;
  return text.substr(ByteOffset(text, length - count));
}

std::string Mid(const std::string& text, int32_t start, int32_t count) {
  if (start < 1) start = 1;
  const size_t begin = ByteOffset(text, start - 1);
  if (count < 0) return text.substr(begin);
  size_t end = begin;
  for (int32_t i = 0; i < count && end < text.size(); ++i) end += CharWidth(text, end);
  return text.substr(begin, end - begin);
}

std::string Uppercase(const std::string& text) {
  const QByteArray bytes = QByteArray::fromStdString(text);
  const QString decoded = QString::fromUtf8(bytes);
  if (decoded.toUtf8() == bytes) return decoded.toUpper().toStdString();
  // Not valid UTF-8: change only ASCII letters, keep every other byte.
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string ReplaceAll(const std::string& source, const std::string& find, const std::string& replacement) {
  if (find.empty()) return source;
  std::string out;
  out.reserve(source.size());
  size_t begin = 0;
  for (size_t at = source.find(find); at != std::string::npos; at = source.find(find, begin)) {
    out.append(source, begin, at - begin);
    out += replacement;
    begin = at + find.size();
  }
  out.append(source, begin, std::string::npos);
  return out;
}
