#pragma once
// A RAM disk made by our hdid for one test, and detached by our hdiutil when
// the test ends, also when it fails. Tests run side by side and the kernel
// gives a freed device's number to the next one made: so the object detaches
// only while hdid's record of the device is still the one it made.

#include <string>

class RamDisk {
 public:
  // backend: "zram", "loop", or "" for hdid's choice.
  explicit RamDisk(unsigned long long sectors, const std::string& backend = "");
  ~RamDisk();
  RamDisk(RamDisk&& other) noexcept;
  RamDisk(const RamDisk&) = delete;
  RamDisk& operator=(const RamDisk&) = delete;

  const std::string& path() const { return path_; }    // empty when hdid failed or once detached
  const std::string& error() const { return error_; }  // hdid's message then
  std::string name() const;                            // "zram3", "loop5"
  unsigned long long Bytes() const;                    // as the kernel tells it; 0 when it can't
  std::string backingFile() const;                     // the loop device's file; empty for zram
  // Runs hdiutil detach: its exit status. The object lets go of the device
  // when it succeeds.
  int Detach(std::string* message = nullptr);
  // Whether the device this object made is gone, whatever has its number now.
  bool Freed() const;

 private:
  std::string path_;
  std::string error_;
  std::string record_;  // hdid's record when made, but where it is mounted
};
