#include "OwnDevice.h"

#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "LoopDevice.h"
#include "ZramDevice.h"

namespace {

// The device's folder in /sys/block, by way of its number; empty when the
// kernel knows no such block device.
std::filesystem::path SysfsFolder(dev_t device) {
  std::error_code error;
  auto folder = std::filesystem::canonical(
      "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device)), error);
  return error ? std::filesystem::path() : folder;
}

// What the kernel says the open device is now, for a record; nothing for a
// device that is neither a zram device nor a bound loop device.
std::optional<DeviceRecord> DescribeDevice(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISBLK(info.st_mode)) return std::nullopt;
  const auto folder = SysfsFolder(info.st_rdev);
  if (folder.empty()) return std::nullopt;
  DeviceRecord record;
  record.name = folder.filename().string();
  record.device = info.st_rdev;
  if (record.name.rfind("zram", 0) == 0) {
    struct stat sysfs {};
    if (stat(folder.c_str(), &sysfs) != 0) return std::nullopt;
    record.backend = Backend::Zram;
    record.sysfsInode = sysfs.st_ino;
    return record;
  }
  loop_info64 loop{};
  if (record.name.rfind("loop", 0) != 0 || ioctl(fd, LOOP_GET_STATUS64, &loop) != 0) return std::nullopt;
  record.backend = Backend::Loop;
  record.backingDevice = loop.lo_device;
  record.backingInode = loop.lo_inode;
  return record;
}

// The record of the device numbered device, by the kernel's name for it.
std::optional<DeviceRecord> RecordOf(dev_t device) {
  const auto folder = SysfsFolder(device);
  auto record = folder.empty() ? std::nullopt : LoadRecord(folder.filename().string());
  if (record && record->device != device) return std::nullopt;
  return record;
}

}  // namespace

OwnDevice::~OwnDevice() {
  if (fd_ >= 0) close(fd_);
}

OwnDevice::OwnDevice(OwnDevice&& other) noexcept
    : record(std::move(other.record)), error(std::move(other.error)), fd_(other.fd_) {
  other.fd_ = -1;
}

std::string OwnDevice::FdPath() const {
  return "/proc/self/fd/" + std::to_string(fd_);
}

int OwnDevice::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

// Through the open file, which names the same device node whatever happened
// to the path since.
int OwnDevice::Reopen(int flags) {
  const int reopened = open(FdPath().c_str(), flags | O_CLOEXEC);
  if (reopened < 0) return errno;
  close(fd_);
  fd_ = reopened;
  return 0;
}

OwnDevice OpenOwnDevice(const std::string& path, int flags, const User& requester, bool rootMayUse) {
  OwnDevice device;
  const std::string notOurs = path + " is not a RAM disk made by hdid";
  // O_PATH runs no driver's open: it only tells what the path leads to.
  const int node = open(path.c_str(), O_PATH | O_CLOEXEC);
  struct stat info {};
  const bool block = node >= 0 && fstat(node, &info) == 0 && S_ISBLK(info.st_mode);
  const auto made = block ? RecordOf(info.st_rdev) : std::nullopt;
  // One of our devices, whose open changes nothing: opened through the very
  // node just looked at, read-only and non-blocking.
  if (made) device.fd_ = open(("/proc/self/fd/" + std::to_string(node)).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (node >= 0) close(node);
  if (!made || device.fd_ < 0) {
    device.error = notOurs;
    return device;
  }
  const auto now = DescribeDevice(device.fd_);
  if (!now || !SameDevice(*now, *made)) {
    // Freed or rebound behind hdid's back: the record describes what is gone.
    ForgetRecord(*made);
    device.error = notOurs;
    return device;
  }
  device.record = *made;
  if (made->uid != requester.uid && !(requester.uid == 0 && rootMayUse)) {
    device.error = path + " is a RAM disk made for another user";
    return device;
  }
  if (const int failed = flags == O_RDONLY ? 0 : device.Reopen(flags))
    device.error = "can't open " + path + ": " + (failed == EBUSY ? "it is in use (mounted?)" : std::strerror(failed));
  return device;
}

int FreeOwnDevice(OwnDevice& device) {
  const DeviceRecord& made = device.record;
  const int number = std::atoi(made.name.c_str() + 4);  // after "loop" or "zram"
  if (made.backend == Backend::Zram) {
    // zram refuses to reset a device that is open, ours included.
    close(device.Release());
    if (const int error = FreeZramDevice(number, made.sysfsInode)) {
      if (error == ENXIO) ForgetRecord(made);
      return error;
    }
  } else if (const int error = FreeLoopDevice(number, device.Release())) {
    return error;
  }
  ForgetRecord(made);
  return 0;
}

std::string RecordNewDevice(const std::string& path, const User& user) {
  OwnDevice device;
  device.fd_ = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  const auto made = device.fd_ >= 0 ? DescribeDevice(device.fd_) : std::nullopt;
  if (!made) return "can't tell what " + path + " is";
  device.record = *made;
  device.record.uid = user.uid;
  device.record.gid = user.gid;
  device.record.boot = CurrentBoot();
  std::string why = SaveRecord(device.record);
  // A device without its record could never be freed by us: don't leave one.
  if (!why.empty() && device.Reopen(O_RDWR | O_EXCL) == 0) FreeOwnDevice(device);
  return why;
}
