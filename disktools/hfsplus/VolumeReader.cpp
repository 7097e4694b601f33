#include "VolumeReader.h"

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "BTree.h"
#include "BigEndian.h"
#include "Catalog.h"
#include "VolumeHeader.h"

namespace hfsplus {

namespace {

bool ReadAt(int fd, std::uint8_t* bytes, std::size_t size, std::uint64_t offset) {
  while (size > 0) {
    const ssize_t got = pread(fd, bytes, size, static_cast<off_t>(offset));
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  return true;
}

bool IsPowerOfTwo(std::uint32_t value, std::uint32_t smallest, std::uint32_t largest) {
  return value >= smallest && value <= largest && (value & (value - 1)) == 0;
}

// Node number of the catalog file, read through the extents that the volume
// header lists (a new or lightly used catalog needs no others).
bool ReadNode(int fd, const VolumeHeader& header, std::uint32_t nodeSize, std::uint32_t number,
              std::vector<std::uint8_t>& node) {
  node.resize(nodeSize);
  std::uint64_t offset = std::uint64_t{number} * nodeSize;
  if (offset + nodeSize > header.catalogFile.logicalSize) return false;
  for (const Extent& extent : header.catalogFile.extents) {
    const std::uint64_t bytes = std::uint64_t{extent.blockCount} * header.blockSize;
    if (offset < bytes) {
      if (offset + nodeSize > bytes) return false;
      return ReadAt(fd, node.data(), nodeSize, std::uint64_t{extent.startBlock} * header.blockSize + offset);
    }
    offset -= bytes;
  }
  return false;
}

}  // namespace

VolumeNameResult ReadVolumeName(int fd) {
  std::uint8_t bytes[kVolumeHeaderSize];
  if (!ReadAt(fd, bytes, sizeof bytes, kVolumeHeaderOffset)) return {{}, "its volume header can't be read"};
  const auto header = DecodeVolumeHeader(bytes);
  if (!header) return {{}, "it holds no HFS+ volume"};
  const char* damaged = "its HFS+ catalog is damaged";
  if (!IsPowerOfTwo(header->blockSize, 512, 1u << 30)) return {{}, damaged};

  // The header record follows the descriptor of node 0 and tells the node
  // size; the smallest node there is holds it.
  std::vector<std::uint8_t> node;
  constexpr std::uint32_t kSmallestNode = 512;
  constexpr std::size_t kDescriptorSize = 14;
  if (!ReadNode(fd, *header, kSmallestNode, 0, node) || ReadDescriptor(node).kind != kHeaderNode) return {{}, damaged};
  const BTreeHeader tree = ReadHeaderRecord(std::span<const std::uint8_t>(node).subspan(kDescriptorSize));
  if (!IsPowerOfTwo(tree.nodeSize, kSmallestNode, 32768)) return {{}, damaged};

  // Keys sort by parent id, and only the root folder has parent 1: its
  // record comes first in the first leaf node.
  if (!ReadNode(fd, *header, tree.nodeSize, tree.firstLeafNode, node)) return {{}, damaged};
  const NodeDescriptor leaf = ReadDescriptor(node);
  const auto record = leaf.numRecords > 0 ? ReadRecord(node, 0) : std::nullopt;
  const auto key = record ? ReadCatalogKey(*record) : std::nullopt;
  if (leaf.kind != kLeafNode || !key || key->parentId != kRootParentId || key->size + 2 > record->size() ||
      static_cast<std::int16_t>(Get16(record->data() + key->size)) != kFolderRecord)
    return {{}, damaged};
  return {key->name, {}};
}

}  // namespace hfsplus
