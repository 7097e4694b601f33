#pragma once
// The volume header: 512 bytes at offset 1024 of the volume, copied as the
// alternate volume header 1024 bytes before its end.

#include <array>
#include <cstdint>
#include <optional>

#include "VolumeLayout.h"

namespace hfsplus {

constexpr std::uint64_t kVolumeHeaderOffset = 1024;
constexpr std::size_t kVolumeHeaderSize = 512;
constexpr std::uint16_t kSignature = 0x482B;   // "H+"
constexpr std::uint16_t kSignatureX = 0x4858;  // "HX": HFS+ with case-sensitive names
constexpr std::uint16_t kVersion = 4;
constexpr std::uint32_t kVolumeUnmounted = 1u << 8;  // cleanly unmounted
constexpr std::uint32_t kFirstUserCatalogId = 16;

struct ForkData {
  std::uint64_t logicalSize = 0;
  std::uint32_t clumpSize = 0;
  std::uint32_t totalBlocks = 0;
  std::array<Extent, 8> extents{};
};

struct VolumeHeader {
  std::uint16_t signature = kSignature;
  std::uint16_t version = kVersion;
  std::uint32_t attributes = 0;
  std::uint32_t lastMountedVersion = 0;
  std::uint32_t journalInfoBlock = 0;
  std::uint32_t createDate = 0;  // local time, unlike every other date
  std::uint32_t modifyDate = 0;
  std::uint32_t backupDate = 0;
  std::uint32_t checkedDate = 0;
  std::uint32_t fileCount = 0;
  std::uint32_t folderCount = 0;  // not counting the root folder
  std::uint32_t blockSize = 0;
  std::uint32_t totalBlocks = 0;
  std::uint32_t freeBlocks = 0;
  std::uint32_t nextAllocation = 0;
  std::uint32_t rsrcClumpSize = 0;
  std::uint32_t dataClumpSize = 0;
  std::uint32_t nextCatalogId = 0;
  std::uint32_t writeCount = 0;
  std::uint64_t encodingsBitmap = 0;
  std::array<std::uint32_t, 8> finderInfo{};
  ForkData allocationFile;
  ForkData extentsFile;
  ForkData catalogFile;
  ForkData attributesFile;
  ForkData startupFile;
};

void EncodeVolumeHeader(const VolumeHeader& header, std::uint8_t* out);
// Nothing when the bytes carry neither HFS+ signature.
std::optional<VolumeHeader> DecodeVolumeHeader(const std::uint8_t* in);

}  // namespace hfsplus
