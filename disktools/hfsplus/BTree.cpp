#include "BTree.h"

#include <cstring>

#include "BigEndian.h"

namespace hfsplus {

namespace {

constexpr std::size_t kDescriptorSize = 14;
constexpr std::size_t kHeaderRecordSize = 106;
constexpr std::size_t kUserDataRecordSize = 128;

void WriteDescriptor(std::uint8_t* node, const NodeDescriptor& descriptor) {
  Put32(node, descriptor.fLink);
  Put32(node + 4, descriptor.bLink);
  node[8] = static_cast<std::uint8_t>(descriptor.kind);
  node[9] = descriptor.height;
  Put16(node + 10, descriptor.numRecords);
  Put16(node + 12, 0);
}

// Offsets of records 0..n-1 and of the free space after them, from the end.
void WriteOffsets(std::uint8_t* node, std::uint32_t nodeSize, const std::vector<std::uint16_t>& offsets) {
  for (std::size_t i = 0; i < offsets.size(); ++i) Put16(node + nodeSize - 2 * (i + 1), offsets[i]);
}

}  // namespace

void WriteHeaderNode(std::uint8_t* node, const BTreeHeader& header, std::uint32_t usedNodes) {
  const std::uint32_t size = header.nodeSize;
  std::memset(node, 0, size);
  WriteDescriptor(node, {0, 0, kHeaderNode, 0, 3});
  std::uint8_t* record = node + kDescriptorSize;
  Put16(record, header.treeDepth);
  Put32(record + 2, header.rootNode);
  Put32(record + 6, header.leafRecords);
  Put32(record + 10, header.firstLeafNode);
  Put32(record + 14, header.lastLeafNode);
  Put16(record + 18, header.nodeSize);
  Put16(record + 20, header.maxKeyLength);
  Put32(record + 22, header.totalNodes);
  Put32(record + 26, header.freeNodes);
  Put32(record + 32, header.clumpSize);
  record[36] = header.btreeType;
  record[37] = header.keyCompareType;
  Put32(record + 38, header.attributes);

  const auto userData = static_cast<std::uint16_t>(kDescriptorSize + kHeaderRecordSize);
  const auto map = static_cast<std::uint16_t>(userData + kUserDataRecordSize);
  const auto freeSpace = static_cast<std::uint16_t>(size - 8);  // four offsets end the node
  for (std::uint32_t n = 0; n < usedNodes; ++n) node[map + n / 8] |= static_cast<std::uint8_t>(0x80 >> (n % 8));
  WriteOffsets(node, size, {static_cast<std::uint16_t>(kDescriptorSize), userData, map, freeSpace});
}

void WriteLeafNode(std::uint8_t* node, std::uint32_t nodeSize, const std::vector<std::vector<std::uint8_t>>& records) {
  std::memset(node, 0, nodeSize);
  WriteDescriptor(node, {0, 0, kLeafNode, 1, static_cast<std::uint16_t>(records.size())});
  std::vector<std::uint16_t> offsets;
  std::size_t at = kDescriptorSize;
  for (const auto& record : records) {
    offsets.push_back(static_cast<std::uint16_t>(at));
    std::memcpy(node + at, record.data(), record.size());
    at += record.size();
  }
  offsets.push_back(static_cast<std::uint16_t>(at));
  WriteOffsets(node, nodeSize, offsets);
}

NodeDescriptor ReadDescriptor(std::span<const std::uint8_t> node) {
  if (node.size() < kDescriptorSize) return {};
  return {Get32(node.data()), Get32(node.data() + 4), static_cast<std::int8_t>(node[8]), node[9],
          Get16(node.data() + 10)};
}

std::optional<std::span<const std::uint8_t>> ReadRecord(std::span<const std::uint8_t> node, std::uint16_t index) {
  const std::size_t size = node.size();
  const std::size_t slot = 2 * (std::size_t{index} + 2);  // the record's end is the next record's start
  if (size < kDescriptorSize || slot > size - kDescriptorSize) return std::nullopt;
  const std::size_t begin = Get16(node.data() + size - slot + 2);
  const std::size_t end = Get16(node.data() + size - slot);
  if (begin < kDescriptorSize || end < begin || end > size - slot) return std::nullopt;
  return node.subspan(begin, end - begin);
}

BTreeHeader ReadHeaderRecord(std::span<const std::uint8_t> record) {
  BTreeHeader header;
  if (record.size() < kHeaderRecordSize) return header;
  const std::uint8_t* in = record.data();
  header.treeDepth = Get16(in);
  header.rootNode = Get32(in + 2);
  header.leafRecords = Get32(in + 6);
  header.firstLeafNode = Get32(in + 10);
  header.lastLeafNode = Get32(in + 14);
  header.nodeSize = Get16(in + 18);
  header.maxKeyLength = Get16(in + 20);
  header.totalNodes = Get32(in + 22);
  header.freeNodes = Get32(in + 26);
  header.clumpSize = Get32(in + 32);
  header.btreeType = in[36];
  header.keyCompareType = in[37];
  header.attributes = Get32(in + 38);
  return header;
}

}  // namespace hfsplus
