#pragma once
// RAM-backed block devices of an exact size, from one of two kernel
// facilities: zram, or a loop device over anonymous memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Backend { Zram, Loop };

struct MadeDevice {
  std::string path;   // /dev/zramN or /dev/loopN
  std::string error;  // why none was made; empty when one was
};

const char* BackendName(Backend backend);
std::optional<Backend> BackendFromName(std::string_view name);

// A device of exactly sectors * 512 bytes. With only set, that backend or
// none; otherwise the faster one, or the other where it is missing or can't
// give that size.
MadeDevice MakeRamDevice(std::uint64_t sectors, std::optional<Backend> only);
