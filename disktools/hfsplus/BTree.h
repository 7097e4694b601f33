#pragma once
// B-tree nodes, as the catalog and the extents overflow file keep them: a
// 14-byte descriptor, records from the front, and the records' offsets
// counted back from the end of the node.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hfsplus {

constexpr std::int8_t kLeafNode = -1;
constexpr std::int8_t kHeaderNode = 1;
constexpr std::uint32_t kBigKeys = 2;            // key lengths take 16 bits
constexpr std::uint32_t kVariableIndexKeys = 4;  // index keys take only the room they need

struct NodeDescriptor {
  std::uint32_t fLink = 0;  // next node of the same kind; 0 for none
  std::uint32_t bLink = 0;
  std::int8_t kind = 0;
  std::uint8_t height = 0;
  std::uint16_t numRecords = 0;
};

struct BTreeHeader {
  std::uint16_t treeDepth = 0;
  std::uint32_t rootNode = 0;
  std::uint32_t leafRecords = 0;
  std::uint32_t firstLeafNode = 0;
  std::uint32_t lastLeafNode = 0;
  std::uint16_t nodeSize = 0;
  std::uint16_t maxKeyLength = 0;
  std::uint32_t totalNodes = 0;
  std::uint32_t freeNodes = 0;
  std::uint32_t clumpSize = 0;
  std::uint8_t btreeType = 0;
  std::uint8_t keyCompareType = 0;
  std::uint32_t attributes = 0;
};

// node is header.nodeSize bytes; the map record marks the first usedNodes
// nodes as taken. The map must cover every node of the tree.
void WriteHeaderNode(std::uint8_t* node, const BTreeHeader& header, std::uint32_t usedNodes);
// A leaf node of one level holding records (each a key and its data) in order.
void WriteLeafNode(std::uint8_t* node, std::uint32_t nodeSize, const std::vector<std::vector<std::uint8_t>>& records);

NodeDescriptor ReadDescriptor(std::span<const std::uint8_t> node);
// Record index of node; nothing when its offsets point outside the node.
std::optional<std::span<const std::uint8_t>> ReadRecord(std::span<const std::uint8_t> node, std::uint16_t index);
BTreeHeader ReadHeaderRecord(std::span<const std::uint8_t> record);

}  // namespace hfsplus
