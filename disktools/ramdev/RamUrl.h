#pragma once
// hdid's "ram://N": a RAM disk of N 512-byte sectors.

#include <cstdint>
#include <optional>
#include <string_view>

// N, for "ram://" followed by 1 to 4294967295 in plain decimal digits.
std::optional<std::uint64_t> ParseRamUrl(std::string_view url);
