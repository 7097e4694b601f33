// hdid -nomount ram://N: makes a RAM-backed block device of exactly N
// 512-byte sectors, records it as made for the user asking, and prints its
// path. HDID_BACKEND=zram or loop picks one backend instead of the faster
// available one.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "OwnDevice.h"
#include "RamUrl.h"
#include "RunAsRoot.h"

int main(int argc, char** argv) {
  const auto sectors = argc == 3 && std::strcmp(argv[1], "-nomount") == 0 ? ParseRamUrl(argv[2]) : std::nullopt;
  if (!sectors) {
    std::fputs("usage: hdid -nomount ram://N\n  makes a RAM disk of N 512-byte sectors (1 to 4294967295)\n", stderr);
    return 2;
  }
  if (const int status = RunAsRoot("hdid", "make a RAM disk", argv); status >= 0) return status;
  // Root's own choice: pkexec passes no variable of the caller's.
  std::optional<Backend> only;
  if (const char* name = std::getenv("HDID_BACKEND"); name && *name) {
    only = BackendFromName(name);
    if (!only) {
      std::fprintf(stderr, "hdid: HDID_BACKEND must be zram or loop, not %s\n", name);
      return 2;
    }
  }
  std::string why;
  const auto requester = Requester(why);
  // Held from making the device to recording it: a tool that frees a device
  // of the same number meanwhile would take the new disk's record with it.
  if (requester) why = LockRecords();
  if (!why.empty()) {
    std::fprintf(stderr, "hdid: %s\n", why.c_str());
    return 1;
  }
  MadeDevice device = MakeRamDevice(*sectors, only);
  if (device.error.empty()) device.error = RecordNewDevice(device.path, *requester);
  if (!device.error.empty()) {
    std::fprintf(stderr, "hdid: can't make a RAM disk of %llu sectors: %s\n", static_cast<unsigned long long>(*sectors),
                 device.error.c_str());
    return 1;
  }
  std::printf("%s\n", device.path.c_str());
  return 0;
}
