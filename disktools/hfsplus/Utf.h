#pragma once
// Conversions between UTF-8, UTF-16 and code points.

#include <optional>
#include <string>
#include <string_view>

namespace hfsplus {

// Strict: nothing for overlong forms, encoded surrogates, values above
// U+10FFFF or a sequence cut short.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view codePoints);

std::u16string EncodeUtf16(std::u32string_view codePoints);
// A surrogate without its partner becomes U+FFFD.
std::u32string DecodeUtf16(std::u16string_view units);

}  // namespace hfsplus
