// hdiutil mountvol DEVICE: mounts the HFS+ volume on DEVICE under /media and
// prints "DEVICE<TAB>Apple_HFS<TAB>MOUNT PATH".
// hdiutil detach DEVICE: unmounts it and frees the RAM disk.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "Root.h"
#include "VolumeMount.h"

namespace {

const char* kMediaRoot = "/media";

// Run through sudo, the disk is for the user who ran sudo.
std::optional<Owner> SudoUser() {
  const char* uid = std::getenv("SUDO_UID");
  const char* gid = std::getenv("SUDO_GID");
  if (!uid || !gid || !*uid || !*gid) return std::nullopt;
  char* uidEnd = nullptr;
  char* gidEnd = nullptr;
  const unsigned long user = std::strtoul(uid, &uidEnd, 10);
  const unsigned long group = std::strtoul(gid, &gidEnd, 10);
  if (*uidEnd || *gidEnd || user > 0xFFFFFFFEul || group > 0xFFFFFFFEul) return std::nullopt;
  return Owner{static_cast<unsigned>(user), static_cast<unsigned>(group)};
}

}  // namespace

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
  if (!HaveRoot("hdiutil", mountvol ? "mount a disk" : "detach a disk")) return 1;
  const ToolOutcome outcome =
      mountvol ? MountVolume(argv[2], kMediaRoot, SudoUser()) : DetachVolume(argv[2], kMediaRoot);
  std::fputs(outcome.output.c_str(), stdout);
  if (!outcome.error.empty()) std::fprintf(stderr, "hdiutil: %s\n", outcome.error.c_str());
  return outcome.status;
}
