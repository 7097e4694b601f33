#pragma once
// A 24-bit RGB colour, written &hRRGGBB with red in the high byte.

#include <cstdint>

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  static constexpr Color FromRGB(uint32_t rgb) {
    return Color{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
  }
  constexpr uint32_t ToRGB() const { return uint32_t{red} << 16 | uint32_t{green} << 8 | blue; }
  friend constexpr bool operator==(const Color&, const Color&) = default;
};
