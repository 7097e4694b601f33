#include "Machine.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"

std::string WhyNoRamDisks(const std::string& backend) {
  if (geteuid() != 0) return "needs root: only root may make block devices";
  const bool zram = std::filesystem::exists("/sys/class/zram-control/hot_add");
  const bool loop = std::filesystem::exists("/dev/loop-control");
  if (backend == "zram" && !zram) return "this kernel has no zram (no /sys/class/zram-control)";
  if (backend == "loop" && !loop) return "this kernel has no loop devices (no /dev/loop-control)";
  if (!zram && !loop) return "this kernel has neither zram nor loop devices";
  return {};
}

bool KernelHasHfsPlus() {
  if (ReadFile("/proc/filesystems").find("\thfsplus\n") != std::string::npos) return true;
  utsname names{};
  uname(&names);
  return ReadFile(std::string("/lib/modules/") + names.release + "/modules.dep").find("/hfsplus.ko") !=
         std::string::npos;
}
