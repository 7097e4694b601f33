#pragma once
// A RAM disk made by our hdid for one test, and detached by our hdiutil when
// the test ends, also when it fails.

#include <string>

class RamDisk {
public:
  // backend: "zram", "loop", or "" for hdid's choice.
  RamDisk(unsigned long long sectors, const std::string& backend = "");
  ~RamDisk();
  RamDisk(const RamDisk&) = delete;
  RamDisk& operator=(const RamDisk&) = delete;

  // Adopts a device that something else made.
  static RamDisk Adopt(const std::string& path);
  RamDisk(RamDisk&& other) noexcept : path_(std::move(other.path_)), error_(std::move(other.error_)) {
    other.path_.clear();
  }

  const std::string& path() const { return path_; }    // empty when hdid failed
  const std::string& error() const { return error_; }  // hdid's message then
  // "zram3" or "loop5".
  std::string name() const { return path_.substr(path_.rfind('/') + 1); }
  // Whether the device is gone (zram) or unbound (loop).
  bool Freed() const;
  unsigned long long Bytes() const;

private:
  RamDisk() = default;
  std::string path_;
  std::string error_;
};

// The size of a block device as blockdev --getsize64 tells it; 0 when it can't.
unsigned long long DeviceBytes(const std::string& path);
