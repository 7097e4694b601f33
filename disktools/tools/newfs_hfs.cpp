// newfs_hfs -v NAME DEVICE: writes an empty HFS+ volume named NAME on DEVICE,
// a RAM disk that hdid made for the user asking.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "Format.h"
#include "OldSignatures.h"
#include "OwnDevice.h"
#include "RunAsRoot.h"
#include "VolumeLayout.h"
#include "VolumeName.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "newfs_hfs: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "-v") != 0) {
    std::fputs("usage: newfs_hfs -v NAME DEVICE\n  writes an empty HFS+ volume named NAME on DEVICE\n", stderr);
    return 2;
  }
  const std::string device = argv[3];
  if (const int status = RunAsRoot("newfs_hfs", "format a disk", argv); status >= 0) return status;
  std::string why;
  const auto requester = Requester(why);
  if (requester) why = LockRecords();
  if (!why.empty()) return Fail(why);
  const hfsplus::StoredName name = hfsplus::MakeStoredName(argv[2]);
  if (!name.error.empty()) return Fail(name.error);

  // Exclusive: a mounted device is refused rather than overwritten.
  const OwnDevice own = OpenOwnDevice(device, O_RDWR | O_EXCL, *requester, false);
  if (!own.error.empty()) return Fail(own.error);
  std::uint64_t bytes = 0;
  if (ioctl(own.fd(), BLKGETSIZE64, &bytes) != 0) return Fail("can't tell the size of " + device);
  if (!hfsplus::PlanVolume(bytes)) {
    const std::uint64_t least = hfsplus::MinimumVolumeBytes();
    return Fail(bytes < least ? device + " is too small for an HFS+ volume: it has " + std::to_string(bytes) +
                                    " bytes, at least " + std::to_string(least) + " are needed"
                              : device + " is too large for an HFS+ volume with 4096-byte blocks");
  }
  std::string error = EraseOldSignatures(own.fd(), bytes);
  if (error.empty()) error = hfsplus::FormatVolume(own.fd(), bytes, name.units, std::time(nullptr));
  if (!error.empty()) return Fail("can't format " + device + ": " + error);
  return 0;
}
