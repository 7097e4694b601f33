#include "Catalog.h"

#include "BigEndian.h"

namespace hfsplus {

namespace {

constexpr std::size_t kFolderDataSize = 88;

void AppendName(std::vector<std::uint8_t>& out, const std::u16string& name) {
  const std::size_t at = out.size();
  out.resize(at + 2 + 2 * name.size());
  Put16(&out[at], static_cast<std::uint16_t>(name.size()));
  for (std::size_t i = 0; i < name.size(); ++i) Put16(&out[at + 2 + 2 * i], name[i]);
}

std::vector<std::uint8_t> Key(std::uint32_t parentId, const std::u16string& name) {
  std::vector<std::uint8_t> key(6);
  Put16(&key[0], static_cast<std::uint16_t>(4 + 2 + 2 * name.size()));
  Put32(&key[2], parentId);
  AppendName(key, name);
  return key;
}

}  // namespace

std::vector<std::uint8_t> RootFolderRecord(const std::u16string& volumeName, std::uint32_t date) {
  std::vector<std::uint8_t> record = Key(kRootParentId, volumeName);
  const std::size_t at = record.size();
  // Flags, valence, permissions, Finder information and text encoding all
  // stay 0: an empty folder whose owner and mode the mounting system decides.
  record.resize(at + kFolderDataSize);
  std::uint8_t* data = &record[at];
  Put16(data, static_cast<std::uint16_t>(kFolderRecord));
  Put32(data + 8, kRootFolderId);
  for (std::size_t i = 0; i < 4; ++i) Put32(data + 12 + 4 * i, date);
  return record;
}

std::vector<std::uint8_t> RootThreadRecord(const std::u16string& volumeName) {
  std::vector<std::uint8_t> record = Key(kRootFolderId, u"");
  const std::size_t at = record.size();
  record.resize(at + 8);
  Put16(&record[at], static_cast<std::uint16_t>(kFolderThreadRecord));
  Put32(&record[at + 4], kRootParentId);
  AppendName(record, volumeName);
  return record;
}

std::optional<CatalogKey> ReadCatalogKey(std::span<const std::uint8_t> record) {
  if (record.size() < 8) return std::nullopt;
  CatalogKey key;
  key.size = 2 + std::size_t{Get16(record.data())};
  key.parentId = Get32(record.data() + 2);
  const std::size_t units = Get16(record.data() + 6);
  if (units > 255 || key.size < 8 + 2 * units || key.size > record.size()) return std::nullopt;
  for (std::size_t i = 0; i < units; ++i) key.name += static_cast<char16_t>(Get16(record.data() + 8 + 2 * i));
  return key;
}

}  // namespace hfsplus
