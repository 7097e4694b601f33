#pragma once
// A RAM disk made by our hdid for one test, and detached by our hdiutil when
// the test ends, also when it fails.
//
// Tests run side by side, and the kernel hands a freed device's number to
// the next one made: so a disk is only ever detached through its object,
// which forgets the path once detached and checks before it detaches that
// the device is still the one it made.

#include <string>

class RamDisk {
public:
  // backend: "zram", "loop", or "" for hdid's choice.
  explicit RamDisk(unsigned long long sectors, const std::string& backend = "");
  ~RamDisk();
  RamDisk(const RamDisk&) = delete;
  RamDisk& operator=(const RamDisk&) = delete;
  RamDisk(RamDisk&& other) noexcept;

  // Takes over a device that something else made, such as qzRamDisk.
  static RamDisk Adopt(const std::string& path);

  const std::string& path() const { return path_; }    // empty when hdid failed or once detached
  const std::string& error() const { return error_; }  // hdid's message then
  // "zram3" or "loop5".
  std::string name() const { return name_; }
  unsigned long long Bytes() const;

  // Runs hdiutil detach; its exit status. The object lets go of the device
  // when it succeeds.
  int Detach(std::string* message = nullptr);
  // Whether the device this object made is gone: removed (zram), or no longer
  // bound to its file (loop), whatever device now has its number.
  bool Freed() const;
  // The loop device's file in /dev/shm; empty for zram.
  const std::string& backingFile() const { return backing_; }

private:
  RamDisk() = default;
  void Remember();
  bool StillOurs() const;

  std::string path_;
  std::string error_;
  std::string name_;
  std::string backing_;        // loop: the file it is bound to
  unsigned long long id_ = 0;  // zram: the inode of its folder in /sys
};

// The size of a block device as blockdev --getsize64 tells it; 0 when it can't.
unsigned long long DeviceBytes(const std::string& path);
