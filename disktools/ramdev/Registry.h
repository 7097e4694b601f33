#pragma once
// hdid's record of each RAM disk it made, kept where only root can write, so
// that newfs_hfs and hdiutil can tell our devices from everyone else's: a
// path says nothing about who bound a loop device or added a zram device.
// Beside the records lies the lock that lets one tool at a time change a
// disk or its record.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "RamDevice.h"

struct DeviceRecord {
  std::string name;  // the kernel's name: loop3, zram1
  Backend backend = Backend::Loop;
  dev_t device = 0;
  // What the device must still be: for loop, its memory file's identity;
  // for zram, the inode of the device's folder in /sys, new for each device.
  std::uint64_t backingDevice = 0;
  std::uint64_t backingInode = 0;
  std::uint64_t sysfsInode = 0;
  uid_t uid = 0;  // the user the disk is for
  gid_t gid = 0;
  // The boot it was made in: device numbers and inodes start again at each.
  std::string boot;
  std::string mountFolder;  // where hdiutil mounts it; empty while unmounted
};

// Waits until no other disk tool holds the lock, then holds it until this
// process ends. Empty on success, else why not.
std::string LockRecords();

// This boot's identity; empty when the kernel does not say.
std::string CurrentBoot();

// Empty on success, else why not.
std::string SaveRecord(const DeviceRecord& record);
// The record of the device the kernel calls name, when it is of this boot.
// A record of another boot is removed.
std::optional<DeviceRecord> LoadRecord(const std::string& name);
// Removes the record of expected's device, only while it is still that
// record: a device's number may serve another disk by now.
void ForgetRecord(const DeviceRecord& expected);
// Whether two records describe the same device, whatever its user and mount.
bool SameDevice(const DeviceRecord& a, const DeviceRecord& b);
