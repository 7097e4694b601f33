#include "LoopDevice.h"

#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const char* kControl = "/dev/loop-control";

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string DevicePath(int number) {
  return "/dev/loop" + std::to_string(number);
}

std::string Error(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

// Binds file to a free loop device; another process may take the same free
// device between asking and binding, so the loser asks again.
MadeDevice Bind(int file, std::uint64_t bytes) {
  const Fd control(open(kControl, O_RDWR | O_CLOEXEC));
  if (!control.ok()) return {{}, Error(kControl, errno)};
  for (int attempt = 0; attempt < 64; ++attempt) {
    const int number = ioctl(control.get(), LOOP_CTL_GET_FREE);
    if (number < 0) return {{}, Error("no free loop device", errno)};
    const Fd device(open(DevicePath(number).c_str(), O_RDWR | O_CLOEXEC));
    if (!device.ok()) return {{}, Error(DevicePath(number), errno)};
    loop_config config{};
    config.fd = static_cast<__u32>(file);
    config.block_size = 512;
    config.info.lo_sizelimit = bytes;
    config.info.lo_flags = LO_FLAGS_DIRECT_IO;
    if (ioctl(device.get(), LOOP_CONFIGURE, &config) == 0) return {DevicePath(number), {}};
    if (errno != EBUSY) return {{}, Error("binding " + DevicePath(number), errno)};
  }
  return {{}, "every free loop device was taken by others"};
}

bool IsBound(int number) {
  return access(("/sys/block/loop" + std::to_string(number) + "/loop/backing_file").c_str(), F_OK) == 0;
}

// Someone else still has the device open, so the kernel only marked it to
// be detached when they close it: take that back, it stays as it was.
void KeepBound(int number) {
  const Fd device(open(DevicePath(number).c_str(), O_RDWR | O_CLOEXEC));
  loop_info64 info{};
  if (!device.ok() || ioctl(device.get(), LOOP_GET_STATUS64, &info) != 0) return;
  info.lo_flags &= ~static_cast<__u32>(LO_FLAGS_AUTOCLEAR);
  ioctl(device.get(), LOOP_SET_STATUS64, &info);
}

}  // namespace

bool LoopAvailable() {
  return access(kControl, R_OK | W_OK) == 0;
}

MadeDevice MakeLoopDevice(std::uint64_t bytes) {
  // Memory that only the loop device holds: no folder that another user
  // could take first, fill or empty, and it is freed with the device.
  const Fd memory(memfd_create("quillbarrow", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  if (!memory.ok()) return {{}, Error("can't set memory aside", errno)};
  // Sparse: memory is taken only as blocks are written. Sealed at its size.
  if (ftruncate(memory.get(), static_cast<off_t>(bytes)) != 0 ||
      fcntl(memory.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) != 0)
    return {{}, Error("can't set " + std::to_string(bytes) + " bytes of memory aside", errno)};
  // Direct I/O needs a file opened for it, which memfd_create's is not; a
  // kernel whose memory files can't do it gets the loop device's cache.
  const Fd direct(open(("/proc/self/fd/" + std::to_string(memory.get())).c_str(), O_RDWR | O_DIRECT | O_CLOEXEC));
  return Bind(direct.ok() ? direct.get() : memory.get(), bytes);
}

int FreeLoopDevice(int number, int fd) {
  {
    const Fd device(fd);
    if (ioctl(device.get(), LOOP_CLR_FD) != 0) return errno == ENXIO ? 0 : errno;
  }
  // Only marked for clearing while someone else still has it open.
  if (IsBound(number)) {
    KeepBound(number);
    if (IsBound(number)) return EBUSY;
  }
  return 0;
}
