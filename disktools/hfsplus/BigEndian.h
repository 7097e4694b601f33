#pragma once
// HFS+ keeps every number big-endian.

#include <cstdint>

namespace hfsplus {

inline void Put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 8);
  at[1] = static_cast<std::uint8_t>(value);
}

inline void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, static_cast<std::uint16_t>(value >> 16));
  Put16(at + 2, static_cast<std::uint16_t>(value));
}

inline void Put64(std::uint8_t* at, std::uint64_t value) {
  Put32(at, static_cast<std::uint32_t>(value >> 32));
  Put32(at + 4, static_cast<std::uint32_t>(value));
}

inline std::uint16_t Get16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}

inline std::uint32_t Get32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(Get16(at)) << 16 | Get16(at + 2);
}

inline std::uint64_t Get64(const std::uint8_t* at) {
  return static_cast<std::uint64_t>(Get32(at)) << 32 | Get32(at + 4);
}

}  // namespace hfsplus
