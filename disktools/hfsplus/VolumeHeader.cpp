#include "VolumeHeader.h"

#include <cstring>

#include "BigEndian.h"

namespace hfsplus {

namespace {

constexpr std::size_t kForkDataSize = 80;
constexpr std::size_t kForksOffset = 112;

void EncodeFork(const ForkData& fork, std::uint8_t* out) {
  Put64(out, fork.logicalSize);
  Put32(out + 8, fork.clumpSize);
  Put32(out + 12, fork.totalBlocks);
  for (std::size_t i = 0; i < fork.extents.size(); ++i) {
    Put32(out + 16 + 8 * i, fork.extents[i].startBlock);
    Put32(out + 20 + 8 * i, fork.extents[i].blockCount);
  }
}

ForkData DecodeFork(const std::uint8_t* in) {
  ForkData fork;
  fork.logicalSize = Get64(in);
  fork.clumpSize = Get32(in + 8);
  fork.totalBlocks = Get32(in + 12);
  for (std::size_t i = 0; i < fork.extents.size(); ++i)
    fork.extents[i] = {Get32(in + 16 + 8 * i), Get32(in + 20 + 8 * i)};
  return fork;
}

// The fields from attributes to writeCount: 32-bit each, in this order.
std::uint32_t VolumeHeader::*const kWords[] = {
    &VolumeHeader::attributes,     &VolumeHeader::lastMountedVersion, &VolumeHeader::journalInfoBlock,
    &VolumeHeader::createDate,     &VolumeHeader::modifyDate,         &VolumeHeader::backupDate,
    &VolumeHeader::checkedDate,    &VolumeHeader::fileCount,          &VolumeHeader::folderCount,
    &VolumeHeader::blockSize,      &VolumeHeader::totalBlocks,        &VolumeHeader::freeBlocks,
    &VolumeHeader::nextAllocation, &VolumeHeader::rsrcClumpSize,      &VolumeHeader::dataClumpSize,
    &VolumeHeader::nextCatalogId,  &VolumeHeader::writeCount};

ForkData VolumeHeader::*const kForks[] = {&VolumeHeader::allocationFile, &VolumeHeader::extentsFile,
                                          &VolumeHeader::catalogFile, &VolumeHeader::attributesFile,
                                          &VolumeHeader::startupFile};

}  // namespace

void EncodeVolumeHeader(const VolumeHeader& header, std::uint8_t* out) {
  std::memset(out, 0, kVolumeHeaderSize);
  Put16(out, header.signature);
  Put16(out + 2, header.version);
  for (std::size_t i = 0; i < std::size(kWords); ++i) Put32(out + 4 + 4 * i, header.*kWords[i]);
  Put64(out + 72, header.encodingsBitmap);
  for (std::size_t i = 0; i < header.finderInfo.size(); ++i) Put32(out + 80 + 4 * i, header.finderInfo[i]);
  for (std::size_t i = 0; i < std::size(kForks); ++i)
    EncodeFork(header.*kForks[i], out + kForksOffset + kForkDataSize * i);
}

std::optional<VolumeHeader> DecodeVolumeHeader(const std::uint8_t* in) {
  VolumeHeader header;
  header.signature = Get16(in);
  if (header.signature != kSignature && header.signature != kSignatureX) return std::nullopt;
  header.version = Get16(in + 2);
  for (std::size_t i = 0; i < std::size(kWords); ++i) header.*kWords[i] = Get32(in + 4 + 4 * i);
  header.encodingsBitmap = Get64(in + 72);
  for (std::size_t i = 0; i < header.finderInfo.size(); ++i) header.finderInfo[i] = Get32(in + 80 + 4 * i);
  for (std::size_t i = 0; i < std::size(kForks); ++i)
    header.*kForks[i] = DecodeFork(in + kForksOffset + kForkDataSize * i);
  return header;
}

}  // namespace hfsplus
