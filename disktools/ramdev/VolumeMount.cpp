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
#include "RamDevice.h"
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

}  // namespace

ToolOutcome MountVolume(const std::string& device, const std::string& mediaRoot, std::optional<Owner> owner) {
  struct stat info {};
  if (stat(device.c_str(), &info) != 0) return Failure("can't mount " + device + ": " + std::strerror(errno));
  if (!S_ISBLK(info.st_mode)) return Failure("can't mount " + device + ": it is not a block device");
  if (const auto points = MountPointsOf(info.st_rdev); !points.empty())
    return Failure(device + " is already mounted at " + points.back());

  const int fd = open(device.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failure("can't read " + device + ": " + std::strerror(errno));
  const hfsplus::VolumeNameResult volume = hfsplus::ReadVolumeName(fd);
  close(fd);
  if (!volume.error.empty()) return Failure("can't mount " + device + ": " + volume.error);

  std::string error;
  const std::string folder = MakeMountFolder(mediaRoot, MountFolderName(hfsplus::ReadableName(volume.name)), error);
  if (folder.empty()) return Failure("can't mount " + device + ": " + error);
  // The disk's files belong to the user it is made for: no set-user-id
  // programs or device files on it act with more rights than theirs.
  const std::string options = owner ? "uid=" + std::to_string(owner->uid) + ",gid=" + std::to_string(owner->gid) : "";
  if (mount(device.c_str(), folder.c_str(), "hfsplus", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    const int mountError = errno;
    rmdir(folder.c_str());
    return Failure(MountError(device, mountError));
  }
  return {0, device + "\tApple_HFS\t" + folder + "\n", {}};
}

ToolOutcome DetachVolume(const std::string& device, const std::string& mediaRoot) {
  const auto id = IdentifyRamDevice(device);
  if (!id) return Failure("can't detach " + device + ": it is not a RAM disk (a zram or bound loop device)");
  struct stat info {};
  stat(device.c_str(), &info);
  const auto points = MountPointsOf(info.st_rdev);
  for (auto point = points.rbegin(); point != points.rend(); ++point) {
    if (umount2(point->c_str(), 0) != 0) {
      const int error = errno;
      if (error == EBUSY) return Failure("can't detach " + device + ": resource busy", kBusyStatus);
      return Failure("can't unmount " + *point + ": " + std::strerror(error));
    }
    if (IsInside(*point, mediaRoot)) rmdir(point->c_str());
  }
  if (const int error = FreeRamDevice(*id)) {
    if (error == EBUSY) return Failure("can't detach " + device + ": resource busy", kBusyStatus);
    return Failure("can't detach " + device + ": " + std::strerror(error));
  }
  return {};
}
