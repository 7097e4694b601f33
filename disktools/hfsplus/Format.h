#pragma once
// Writes a new, empty HFS+ volume: the volume header and its alternate, the
// allocation file, empty extents overflow and attributes files, and a
// catalog that holds the root folder and its thread. No journal. Only the metadata is written,
// never the free space, so a fresh RAM disk costs almost no memory.

#include <cstdint>
#include <ctime>
#include <string>

namespace hfsplus {

// Formats the first deviceBytes bytes of fd under name (as MakeStoredName
// gives it), dated now. Returns why it failed, or an empty text.
std::string FormatVolume(int fd, std::uint64_t deviceBytes, const std::u16string& name, std::time_t now);

}  // namespace hfsplus
