#pragma once
// One RAM disk: a block device in main memory, attached, formatted HFS+ and
// mounted by the system's disk tools. Releasing the object leaves the disk as
// it is; only UnMount detaches it.

#include <cstdint>
#include <string>

class qzRamDisk {
public:
  // Attaches a device of at least 1 MiB, formats it under volumeName and
  // mounts it. False when this object already holds a mounted disk (nothing
  // runs) or when a step fails (its message has been shown).
  bool Create(uint32_t sizeBytes, const std::string& volumeName);
  // Detaches the mounted disk. False when none is mounted or detach failed.
  bool UnMount();
  // The mount path of the last successful Create; empty before one.
  std::string GetMountPath() const;

private:
  bool DiskMounted = false;
  uint32_t myBlockSize = 0;
  std::string myDevPath;
  std::string myMountPath;
};
