#pragma once
// hdid's record of each RAM disk it made, kept where only root can write, so
// that newfs_hfs and hdiutil can tell our devices from everyone else's: a
// path says nothing about who bound a loop device or added a zram device.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "RamDevice.h"

struct DeviceRecord {
  std::string name;  // the kernel's name: loop3, zram1
  Backend backend = Backend::Loop;
  dev_t device = 0;
  // What the device must still be: for loop, its backing file's identity;
  // for zram, the inode of the device's folder in /sys, new for each device.
  std::string backing;
  std::uint64_t backingDevice = 0;
  std::uint64_t backingInode = 0;
  std::uint64_t sysfsInode = 0;
  uid_t uid = 0;  // the user the disk is for
  gid_t gid = 0;
  std::string mountFolder;  // where hdiutil mounted it; empty while unmounted
};

// Root-only folders: the records, and the loop devices' backing files.
// Empty when the folder is fine, else why it can't be used.
std::string PrepareRecordFolder();
std::string PrepareBackingFolder();
const char* BackingFolder();

// Empty on success, else why not.
std::string SaveRecord(const DeviceRecord& record);
std::optional<DeviceRecord> LoadRecord(const std::string& name);
void RemoveRecord(const std::string& name);
