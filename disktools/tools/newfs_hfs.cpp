// newfs_hfs -v NAME DEVICE: writes an empty HFS+ volume named NAME on DEVICE
// (a block device, or a file for an image).

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "Format.h"
#include "Root.h"
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
  if (!HaveRoot("newfs_hfs", "format a disk")) return 1;
  const hfsplus::StoredName name = hfsplus::MakeStoredName(argv[2]);
  if (!name.error.empty()) return Fail(name.error);

  // Exclusive: a mounted device is refused rather than overwritten.
  const int fd = open(device.c_str(), O_RDWR | O_EXCL | O_CLOEXEC);
  if (fd < 0)
    return Fail("can't open " + device + ": " + (errno == EBUSY ? "it is in use (mounted?)" : std::strerror(errno)));
  struct stat info {};
  std::uint64_t bytes = 0;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    bytes = static_cast<std::uint64_t>(info.st_size);
  } else if (!S_ISBLK(info.st_mode) || ioctl(fd, BLKGETSIZE64, &bytes) != 0) {
    close(fd);
    return Fail(device + " is neither a block device nor a file");
  }
  if (!hfsplus::PlanVolume(bytes)) {
    close(fd);
    const std::uint64_t least = hfsplus::MinimumVolumeBytes();
    return Fail(bytes < least ? device + " is too small for an HFS+ volume: it has " + std::to_string(bytes) +
                                    " bytes, at least " + std::to_string(least) + " are needed"
                              : device + " is too large for an HFS+ volume with 4096-byte blocks");
  }
  const std::string error = hfsplus::FormatVolume(fd, bytes, name.units, std::time(nullptr));
  close(fd);
  if (!error.empty()) return Fail("can't format " + device + ": " + error);
  return 0;
}
