#pragma once
// Where a new volume's metadata goes on a device of a given size.
//
// Block 0 holds the boot blocks and the volume header; then come the
// allocation file, the extents overflow file, the catalog file and the
// attributes file, one after the other; the blocks that hold the alternate
// volume header at the end are taken too. Everything else is free.

#include <cstdint>
#include <optional>

namespace hfsplus {

struct Extent {
  std::uint32_t startBlock = 0;
  std::uint32_t blockCount = 0;
};

struct VolumeLayout {
  std::uint64_t deviceBytes = 0;
  std::uint32_t blockSize = 0;
  std::uint32_t totalBlocks = 0;
  std::uint32_t nodeSize = 0;  // of both B-trees
  Extent allocationFile;
  Extent extentsFile;
  Extent catalogFile;
  Extent attributesFile;
  std::uint32_t btreeClumpBytes = 0;  // how far the B-tree files grow at a time
  std::uint32_t metadataEnd = 0;      // first block after the attributes file
  std::uint32_t tailStart = 0;        // first block holding the alternate header; totalBlocks when none does
  std::uint32_t freeBlocks = 0;
};

// Nothing when the device is too small to hold the metadata and one free
// block, or too large for 32-bit block numbers.
std::optional<VolumeLayout> PlanVolume(std::uint64_t deviceBytes);

// The smallest device, in bytes, that PlanVolume accepts.
std::uint64_t MinimumVolumeBytes();

}  // namespace hfsplus
