#pragma once
// A RAM disk's number may have served another file system before: its
// superblocks must go, or blkid and mount find two file systems on the new
// volume and trust neither.

#include <cstdint>
#include <string>

// Zeroes every 4 KiB block of the first and the last MiB of the device
// (where file systems, partition tables and RAID sets keep their marks) that
// holds anything. Blocks that read as zeros are not written, so a fresh RAM
// disk costs no memory for this. Returns why it failed, or an empty text.
std::string EraseOldSignatures(int fd, std::uint64_t deviceBytes);
