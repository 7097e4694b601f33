#include "ZramDevice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <thread>

#include "KernelFiles.h"

namespace {

const char* kHotAdd = "/sys/class/zram-control/hot_add";
const char* kHotRemove = "/sys/class/zram-control/hot_remove";

std::string Folder(int number) {
  return "/sys/block/zram" + std::to_string(number);
}

std::string Attribute(int number, const char* name) {
  return Folder(number) + "/" + name;
}

// devtmpfs makes the node as the device appears; give a slow udev a moment.
bool WaitForNode(const std::string& path) {
  for (int tries = 0; tries < 200; ++tries) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISBLK(info.st_mode)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

bool ZramAvailable() {
  return access(kHotAdd, R_OK) == 0;
}

bool ZramFits(std::uint64_t bytes) {
  return bytes % static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) == 0;
}

MadeDevice MakeZramDevice(std::uint64_t bytes) {
  // Reading hot_add makes a new device and tells its number.
  const auto added = ReadKernelFile(kHotAdd);
  int number = -1;
  if (!added || std::from_chars(added->data(), added->data() + added->size(), number).ec != std::errc() || number < 0)
    return {{}, std::string("zram could not add a device: ") + std::strerror(errno)};
  const std::string path = "/dev/zram" + std::to_string(number);
  if (const int error = WriteKernelFile(Attribute(number, "disksize"), std::to_string(bytes))) {
    WriteKernelFile(kHotRemove, std::to_string(number));
    return {{}, "zram refused a size of " + std::to_string(bytes) + " bytes: " + std::strerror(error)};
  }
  if (!WaitForNode(path)) {
    struct stat folder {};
    if (stat(Folder(number).c_str(), &folder) == 0) FreeZramDevice(number, folder.st_ino);
    return {{}, path + " did not appear"};
  }
  return {path, {}};
}

int FreeZramDevice(int number, unsigned long long sysfsInode) {
  // The folder stays this device's while it is open, even if the device
  // goes: its reset can't reach another device of the same number.
  const int folder = open(Folder(number).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat info {};
  if (folder < 0 || fstat(folder, &info) != 0 || info.st_ino != sysfsInode) {
    if (folder >= 0) close(folder);
    return ENXIO;
  }
  const int reset = openat(folder, "reset", O_WRONLY | O_CLOEXEC);
  close(folder);
  if (reset < 0) return errno;
  const int error = write(reset, "1", 1) == 1 ? 0 : errno;
  close(reset);
  if (error) return error;
  const int removed = WriteKernelFile(kHotRemove, std::to_string(number));
  return removed == ENOENT ? 0 : removed;
}
