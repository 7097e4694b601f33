#include "VolumeMount.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "MountFolder.h"
#include "Mounts.h"
#include "OwnDevice.h"
#include "VolumeName.h"
#include "VolumeReader.h"

namespace {

ToolOutcome Failure(const std::string& message, int status = 1) {
  return {status, {}, message};
}

std::string MountError(const std::string& device, int error) {
  switch (error) {
    case ENODEV:
      return "can't mount " + device + ": this kernel has no HFS+ support (file system type hfsplus)";
    case EBUSY:
      return "can't mount " + device + ": it is busy";
    case EINVAL:
      return "can't mount " + device + ": the kernel did not accept its HFS+ volume";
    default:
      return "can't mount " + device + ": " + std::strerror(error);
  }
}

// Makes a new folder under root named for the volume, adding " 1", " 2" and so
// on while the name is taken; empty when none could be made.
std::string MakeMountFolder(const std::string& root, const std::string& name, std::string& error) {
  if (mkdir(root.c_str(), 0755) != 0 && errno != EEXIST) {
    error = "can't make " + root + ": " + std::strerror(errno);
    return {};
  }
  for (int number = 0; number < 10000; ++number) {
    const std::string folder = root + "/" + name + (number ? " " + std::to_string(number) : "");
    if (mkdir(folder.c_str(), 0755) == 0) return folder;
    if (errno != EEXIST) {
      error = "can't make " + folder + ": " + std::strerror(errno);
      return {};
    }
  }
  error = "every mount folder for " + name + " under " + root + " is taken";
  return {};
}

bool IsInside(const std::string& folder, const std::string& root) {
  return std::filesystem::path(folder).parent_path() == std::filesystem::path(root);
}

// Forgets the record's mount folder, removing it where it is ours and empty:
// a mount that was cut short, or has just been undone.
std::string ClearMountFolder(DeviceRecord& record, const std::string& mediaRoot) {
  if (record.mountFolder.empty()) return {};
  if (IsInside(record.mountFolder, mediaRoot)) rmdir(record.mountFolder.c_str());
  record.mountFolder.clear();
  return SaveRecord(record);
}

}  // namespace

ToolOutcome MountVolume(const std::string& device, const std::string& mediaRoot, const User& requester) {
  OwnDevice own = OpenOwnDevice(device, O_RDONLY, requester, false);
  if (!own.error.empty()) return Failure(own.error);
  DeviceRecord& record = own.record;
  if (const auto points = MountPointsOf(record.device); !points.empty())
    return Failure(device + " is already mounted at " + points.back());
  if (const std::string why = ClearMountFolder(record, mediaRoot); !why.empty())
    return Failure("can't mount " + device + ": " + why);

  const hfsplus::VolumeNameResult volume = hfsplus::ReadVolumeName(own.fd());
  if (!volume.error.empty()) return Failure("can't mount " + device + ": " + volume.error);

  std::string error;
  const std::string folder = MakeMountFolder(mediaRoot, MountFolderName(hfsplus::ReadableName(volume.name)), error);
  if (folder.empty()) return Failure("can't mount " + device + ": " + error);
  // Recorded before it is mounted: a mount cut short by a crash can still
  // be found, and undone, by detach.
  record.mountFolder = folder;
  if (const std::string why = SaveRecord(record); !why.empty()) {
    rmdir(folder.c_str());
    return Failure("can't mount " + device + ": " + why);
  }
  // The disk's files belong to the user it is made for: no set-user-id
  // programs or device files on it act with more rights than theirs.
  const std::string options =
      record.uid ? "uid=" + std::to_string(record.uid) + ",gid=" + std::to_string(record.gid) : "";
  // The device checked above, through its open file, not a path that may
  // lead elsewhere by now.
  if (mount(own.FdPath().c_str(), folder.c_str(), "hfsplus", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    const int mountError = errno;
    ClearMountFolder(record, mediaRoot);
    return Failure(MountError(device, mountError));
  }
  return {0, device + "\tApple_HFS\t" + folder + "\n", {}};
}

ToolOutcome DetachVolume(const std::string& device, const std::string& mediaRoot, const User& requester) {
  OwnDevice own = OpenOwnDevice(device, O_RDONLY, requester, true);
  if (!own.error.empty()) return Failure(own.error);
  DeviceRecord& record = own.record;
  const std::string busy = "can't detach " + device + ": resource busy";
  // Someone else's mount of our disk is theirs to end: check them all
  // before unmounting anything.
  const auto points = MountPointsOf(record.device);
  for (const std::string& point : points)
    if (point != record.mountFolder) return Failure(busy + " (mounted at " + point + ")", kBusyStatus);
  if (!points.empty() && umount2(record.mountFolder.c_str(), UMOUNT_NOFOLLOW) != 0) {
    const int error = errno;
    if (error == EBUSY) return Failure(busy, kBusyStatus);
    return Failure("can't unmount " + record.mountFolder + ": " + std::strerror(error));
  }
  if (const std::string why = ClearMountFolder(record, mediaRoot); !why.empty())
    return Failure("can't detach " + device + ": " + why);
  // Exclusive: fails while anything still has the device claimed.
  const int reopened = own.Reopen(O_RDWR | O_EXCL);
  if (reopened == EBUSY) return Failure(busy, kBusyStatus);
  if (reopened) return Failure("can't detach " + device + ": " + std::strerror(reopened));
  if (const int error = FreeOwnDevice(own)) {
    if (error == EBUSY) return Failure(busy, kBusyStatus);
    return Failure("can't detach " + device + ": " + std::strerror(error));
  }
  return {};
}
