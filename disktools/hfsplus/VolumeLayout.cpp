#include "VolumeLayout.h"

#include <algorithm>

namespace hfsplus {

namespace {

constexpr std::uint32_t kBlockSize = 4096;
constexpr std::uint32_t kNodeSize = 4096;
// Each B-tree starts with a few nodes and grows by a clump when it fills:
// small volumes grow by little, large ones by up to 1 MiB.
constexpr std::uint32_t kInitialNodes = 4;
constexpr std::uint64_t kLargestClump = 1 << 20;
// The alternate volume header sits 1024 bytes before the end of the device.
constexpr std::uint64_t kAlternateHeaderFromEnd = 1024;

std::uint32_t CeilDiv(std::uint64_t value, std::uint64_t by) {
  return static_cast<std::uint32_t>((value + by - 1) / by);
}

}  // namespace

std::optional<VolumeLayout> PlanVolume(std::uint64_t deviceBytes) {
  const std::uint64_t blocks = deviceBytes / kBlockSize;
  if (blocks == 0 || blocks > UINT32_MAX) return std::nullopt;

  VolumeLayout layout;
  layout.deviceBytes = deviceBytes;
  layout.blockSize = kBlockSize;
  layout.totalBlocks = static_cast<std::uint32_t>(blocks);
  layout.nodeSize = kNodeSize;
  const std::uint32_t nodeBlocks = kInitialNodes * kNodeSize / kBlockSize;
  layout.allocationFile = {1, CeilDiv(CeilDiv(blocks, 8), kBlockSize)};
  layout.extentsFile = {layout.allocationFile.startBlock + layout.allocationFile.blockCount, nodeBlocks};
  layout.catalogFile = {layout.extentsFile.startBlock + layout.extentsFile.blockCount, nodeBlocks};
  layout.attributesFile = {layout.catalogFile.startBlock + layout.catalogFile.blockCount, nodeBlocks};
  layout.metadataEnd = layout.attributesFile.startBlock + layout.attributesFile.blockCount;
  const std::uint64_t clump = deviceBytes / 1024 / kBlockSize * kBlockSize;
  layout.btreeClumpBytes = static_cast<std::uint32_t>(
      std::clamp<std::uint64_t>(clump, std::uint64_t{kInitialNodes} * kNodeSize, kLargestClump));

  const std::uint64_t tailBlock = (deviceBytes - std::min(deviceBytes, kAlternateHeaderFromEnd)) / kBlockSize;
  layout.tailStart = static_cast<std::uint32_t>(std::min<std::uint64_t>(tailBlock, blocks));
  if (layout.metadataEnd >= layout.tailStart) return std::nullopt;
  layout.freeBlocks = layout.tailStart - layout.metadataEnd;
  return layout;
}

std::uint64_t MinimumVolumeBytes() {
  std::uint64_t bytes = 512;
  while (!PlanVolume(bytes)) bytes += 512;
  return bytes;
}

}  // namespace hfsplus
