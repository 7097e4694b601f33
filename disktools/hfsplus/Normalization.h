#pragma once
// The decomposed form in which HFS+ stores names, and the way back to the
// composed form people type.

#include <string>
#include <string_view>

namespace hfsplus {

// Canonical decomposition in canonical order, leaving U+2000..U+2FFF,
// U+F900..U+FAFF and everything beyond the Basic Multilingual Plane as it is;
// Hangul syllables become their conjoining jamo.
std::u32string Decompose(std::u32string_view text);

// Canonical composition of a decomposed text, as far as the table reaches.
std::u32string Compose(std::u32string_view text);

}  // namespace hfsplus
