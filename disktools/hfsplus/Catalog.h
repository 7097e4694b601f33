#pragma once
// Catalog records: the root folder and its thread, which are all a new
// volume's catalog holds. The root folder's name is the volume name.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hfsplus {

constexpr std::uint32_t kRootParentId = 1;  // the parent of the root folder
constexpr std::uint32_t kRootFolderId = 2;
constexpr std::uint16_t kCatalogMaxKeyLength = 516;  // parent id, name length, 255 units
constexpr std::uint16_t kExtentsMaxKeyLength = 10;
constexpr std::uint16_t kAttributesMaxKeyLength = 266;
constexpr std::int16_t kFolderRecord = 1;
constexpr std::int16_t kFolderThreadRecord = 3;

// The root folder record, keyed by its parent and the volume name.
std::vector<std::uint8_t> RootFolderRecord(const std::u16string& volumeName, std::uint32_t date);
// The root folder's thread record, keyed by the folder's own id; it leads
// back to the parent and the name.
std::vector<std::uint8_t> RootThreadRecord(const std::u16string& volumeName);

struct CatalogKey {
  std::uint32_t parentId = 0;
  std::u16string name;
  std::size_t size = 0;  // of the whole key, the length field included
};

// Nothing when the record is too short for the key it announces.
std::optional<CatalogKey> ReadCatalogKey(std::span<const std::uint8_t> record);

}  // namespace hfsplus
