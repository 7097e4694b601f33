#include "Format.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "BTree.h"
#include "Catalog.h"
#include "VolumeHeader.h"
#include "VolumeLayout.h"

namespace hfsplus {

namespace {

// HFS+ counts seconds from 1904-01-01.
constexpr std::int64_t kSecondsFrom1904To1970 = 2082844800;
// Tells which implementation last wrote the volume: "10.0", as a freshly
// made volume of Mac OS X carries.
constexpr std::uint32_t kMountedVersion = 0x31302E30;
constexpr std::uint32_t kFileClumpBytes = 65536;
constexpr std::uint64_t kMacRomanEncoding = 1;

std::uint32_t MacDate(std::time_t time) {
  return static_cast<std::uint32_t>(time + kSecondsFrom1904To1970);
}

std::uint32_t LocalMacDate(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return MacDate(time + local.tm_gmtoff);
}

ForkData Fork(const Extent& extent, std::uint32_t blockSize, std::uint32_t clumpBytes) {
  ForkData fork;
  fork.logicalSize = std::uint64_t{extent.blockCount} * blockSize;
  fork.clumpSize = clumpBytes;
  fork.totalBlocks = extent.blockCount;
  fork.extents[0] = extent;
  return fork;
}

VolumeHeader MakeHeader(const VolumeLayout& layout, std::time_t now) {
  VolumeHeader header;
  header.attributes = kVolumeUnmounted;
  header.lastMountedVersion = kMountedVersion;
  header.createDate = LocalMacDate(now);
  header.modifyDate = header.checkedDate = MacDate(now);
  header.blockSize = layout.blockSize;
  header.totalBlocks = layout.totalBlocks;
  header.freeBlocks = layout.freeBlocks;
  header.nextAllocation = layout.metadataEnd;
  header.rsrcClumpSize = header.dataClumpSize = kFileClumpBytes;
  header.nextCatalogId = kFirstUserCatalogId;
  header.encodingsBitmap = kMacRomanEncoding;
  const std::uint32_t bitmapBytes = layout.allocationFile.blockCount * layout.blockSize;
  header.allocationFile = Fork(layout.allocationFile, layout.blockSize, bitmapBytes);
  header.extentsFile = Fork(layout.extentsFile, layout.blockSize, layout.btreeClumpBytes);
  header.catalogFile = Fork(layout.catalogFile, layout.blockSize, layout.btreeClumpBytes);
  header.attributesFile = Fork(layout.attributesFile, layout.blockSize, layout.btreeClumpBytes);
  return header;
}

BTreeHeader TreeHeader(const VolumeLayout& layout, const Extent& file, std::uint16_t maxKeyLength,
                       std::uint32_t attributes) {
  BTreeHeader tree;
  tree.nodeSize = static_cast<std::uint16_t>(layout.nodeSize);
  tree.maxKeyLength = maxKeyLength;
  tree.totalNodes = file.blockCount * layout.blockSize / layout.nodeSize;
  tree.freeNodes = tree.totalNodes - 1;
  tree.clumpSize = layout.btreeClumpBytes;
  tree.attributes = attributes;
  return tree;
}

void MarkUsed(std::uint8_t* bitmap, std::uint32_t first, std::uint32_t end) {
  for (std::uint32_t block = first; block < end; ++block)
    bitmap[block / 8] |= static_cast<std::uint8_t>(0x80 >> (block % 8));
}

bool WriteAt(int fd, const std::uint8_t* bytes, std::size_t size, std::uint64_t offset) {
  while (size > 0) {
    const ssize_t written = pwrite(fd, bytes, size, static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
    offset += static_cast<std::uint64_t>(written);
  }
  return true;
}

}  // namespace

std::string FormatVolume(int fd, std::uint64_t deviceBytes, const std::u16string& name, std::time_t now) {
  const auto planned = PlanVolume(deviceBytes);
  if (!planned) return "no HFS+ volume fits in " + std::to_string(deviceBytes) + " bytes";
  const VolumeLayout& layout = *planned;

  // Everything from block 0 to the end of the attributes file, in one piece.
  std::vector<std::uint8_t> front(std::size_t{layout.metadataEnd} * layout.blockSize);
  const VolumeHeader header = MakeHeader(layout, now);
  EncodeVolumeHeader(header, &front[kVolumeHeaderOffset]);

  std::uint8_t* bitmap = &front[std::size_t{layout.allocationFile.startBlock} * layout.blockSize];
  MarkUsed(bitmap, 0, layout.metadataEnd);
  MarkUsed(bitmap, layout.tailStart, layout.totalBlocks);

  std::uint8_t* extents = &front[std::size_t{layout.extentsFile.startBlock} * layout.blockSize];
  WriteHeaderNode(extents, TreeHeader(layout, layout.extentsFile, kExtentsMaxKeyLength, kBigKeys), 1);

  std::uint8_t* catalog = &front[std::size_t{layout.catalogFile.startBlock} * layout.blockSize];
  BTreeHeader catalogTree = TreeHeader(layout, layout.catalogFile, kCatalogMaxKeyLength, kBigKeys | kVariableIndexKeys);
  catalogTree.treeDepth = 1;
  catalogTree.rootNode = catalogTree.firstLeafNode = catalogTree.lastLeafNode = 1;
  catalogTree.leafRecords = 2;
  catalogTree.freeNodes -= 1;
  WriteHeaderNode(catalog, catalogTree, 2);
  // Keys sort by parent id first: the root folder (parent 1) before its thread (key 2).
  WriteLeafNode(catalog + layout.nodeSize, layout.nodeSize,
                {RootFolderRecord(name, MacDate(now)), RootThreadRecord(name)});

  std::uint8_t* attributes = &front[std::size_t{layout.attributesFile.startBlock} * layout.blockSize];
  WriteHeaderNode(attributes,
                  TreeHeader(layout, layout.attributesFile, kAttributesMaxKeyLength, kBigKeys | kVariableIndexKeys), 1);

  std::vector<std::uint8_t> tail(1024);
  EncodeVolumeHeader(header, tail.data());
  if (!WriteAt(fd, front.data(), front.size(), 0) ||
      !WriteAt(fd, tail.data(), tail.size(), deviceBytes - tail.size()) || fsync(fd) != 0)
    return std::string("writing failed: ") + std::strerror(errno);
  return {};
}

}  // namespace hfsplus
