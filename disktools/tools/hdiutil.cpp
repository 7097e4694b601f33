// hdiutil mountvol DEVICE: mounts the HFS+ volume on DEVICE under /media and
// prints "DEVICE<TAB>Apple_HFS<TAB>MOUNT PATH".
// hdiutil detach DEVICE: unmounts it and frees the RAM disk.

#include <cstdio>
#include <cstring>
#include <string>

#include "Registry.h"
#include "RunAsRoot.h"
#include "VolumeMount.h"

constexpr char kMediaRoot[] = "/media";

int main(int argc, char** argv) {
  const bool mountvol = argc == 3 && std::strcmp(argv[1], "mountvol") == 0;
  const bool detach = argc == 3 && std::strcmp(argv[1], "detach") == 0;
  if (!mountvol && !detach) {
    std::fputs(
        "usage: hdiutil mountvol DEVICE   mounts the HFS+ volume on DEVICE under /media\n"
        "       hdiutil detach DEVICE     unmounts it and frees the RAM disk\n",
        stderr);
    return 2;
  }
  if (const int status = RunAsRoot("hdiutil", mountvol ? "mount a disk" : "detach a disk", argv); status >= 0)
    return status;
  std::string why;
  const auto requester = Requester(why);
  if (requester) why = LockRecords();
  const ToolOutcome outcome = !why.empty() ? ToolOutcome{1, {}, why}
                              : mountvol   ? MountVolume(argv[2], kMediaRoot, *requester)
                                           : DetachVolume(argv[2], kMediaRoot, *requester);
  std::fputs(outcome.output.c_str(), stdout);
  if (!outcome.error.empty()) std::fprintf(stderr, "hdiutil: %s\n", outcome.error.c_str());
  return outcome.status;
}
