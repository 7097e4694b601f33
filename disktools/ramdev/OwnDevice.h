#pragma once
// Opening a device only when it is one that hdid made, is still what hdid
// made, and was made for the user asking. What a path leads to is known
// before it is opened, for opening some files acts (a watchdog starts, a
// FIFO's writer wakes); the check is made again on the open device, and
// callers go on through that same open file, so no path can be swapped
// between the check and the work. Callers hold the records' lock.

#include <optional>
#include <string>

#include "Registry.h"
#include "Requester.h"

class OwnDevice {
 public:
  OwnDevice() = default;
  ~OwnDevice();
  OwnDevice(OwnDevice&& other) noexcept;
  OwnDevice& operator=(OwnDevice&&) = delete;
  OwnDevice(const OwnDevice&) = delete;

  int fd() const { return fd_; }
  // The open device as a path that leads to this very device node.
  std::string FdPath() const;
  // Gives up the open file; the caller closes it.
  int Release();
  // Opens the same device again with flags instead: 0, or the error number.
  int Reopen(int flags);

  DeviceRecord record;
  std::string error;  // why the device was refused; empty when it is ours

 private:
  friend OwnDevice OpenOwnDevice(const std::string&, int, const User&, bool);
  friend std::string RecordNewDevice(const std::string&, const User&);
  int fd_ = -1;
};

// path: as the user gave it; symbolic links are followed.
// flags: open flags beyond the check's own read-only open (O_RDWR, O_EXCL).
// rootMayUse: root may act on disks made for other users.
OwnDevice OpenOwnDevice(const std::string& path, int flags, const User& requester, bool rootMayUse);

// Frees the device with its memory and forgets it: device must have been
// opened exclusively (O_EXCL), so that it is known to be unmounted. 0, or the
// error number (EBUSY while someone else has it open, ENXIO when the device
// is no longer the recorded one).
int FreeOwnDevice(OwnDevice& device);

// Records the device hdid has just made at path as made for user. When it
// can't, frees the device again and says why; empty on success.
std::string RecordNewDevice(const std::string& path, const User& user);
