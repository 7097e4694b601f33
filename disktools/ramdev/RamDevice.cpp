#include "RamDevice.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>

#include "LoopDevice.h"
#include "ZramDevice.h"

namespace {

// The faster of the two by bench/ramdevice_io: zram spends its time
// compressing, so a loop device over /dev/shm writes about twice as fast
// and reads no slower (much faster still when the data compresses well).
constexpr Backend kPreferred = Backend::Loop;

// Why backend can't serve bytes; empty when it can.
std::string Unsuitable(Backend backend, std::uint64_t bytes) {
  if (backend == Backend::Zram) {
    if (!ZramAvailable()) return "zram is not available (no /sys/class/zram-control)";
    if (!ZramFits(bytes))
      return "zram can't make a device of exactly " + std::to_string(bytes) + " bytes (not whole pages)";
    return {};
  }
  if (!LoopAvailable()) return "loop devices are not available (no /dev/loop-control)";
  return {};
}

std::optional<int> NumberAfter(std::string_view name, std::string_view prefix) {
  if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size()) return std::nullopt;
  int number = -1;
  const char* end = name.data() + name.size();
  const auto [at, error] = std::from_chars(name.data() + prefix.size(), end, number);
  if (error != std::errc() || at != end || number < 0) return std::nullopt;
  return number;
}

}  // namespace

const char* BackendName(Backend backend) {
  return backend == Backend::Zram ? "zram" : "loop";
}

std::optional<Backend> BackendFromName(std::string_view name) {
  if (name == "zram") return Backend::Zram;
  if (name == "loop") return Backend::Loop;
  return std::nullopt;
}

MadeDevice MakeRamDevice(std::uint64_t sectors, std::optional<Backend> only) {
  const std::uint64_t bytes = sectors * 512;
  const Backend other = kPreferred == Backend::Zram ? Backend::Loop : Backend::Zram;
  std::string reasons;
  for (Backend backend : {only.value_or(kPreferred), only.value_or(other)}) {
    const std::string why = Unsuitable(backend, bytes);
    if (why.empty()) return backend == Backend::Zram ? MakeZramDevice(bytes) : MakeLoopDevice(bytes);
    if (reasons.find(why) == std::string::npos) reasons += (reasons.empty() ? "" : "; ") + why;
  }
  return {{}, reasons};
}

std::optional<RamDeviceId> IdentifyRamDevice(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISBLK(info.st_mode)) return std::nullopt;
  std::error_code error;
  const auto sysfs = std::filesystem::canonical(
      "/sys/dev/block/" + std::to_string(major(info.st_rdev)) + ":" + std::to_string(minor(info.st_rdev)), error);
  if (error) return std::nullopt;
  const std::string name = sysfs.filename().string();
  if (const auto number = NumberAfter(name, "zram")) return RamDeviceId{Backend::Zram, *number};
  // A loop device is a RAM disk only while it is bound to a file.
  if (const auto number = NumberAfter(name, "loop"); number && std::filesystem::exists(sysfs / "loop" / "backing_file"))
    return RamDeviceId{Backend::Loop, *number};
  return std::nullopt;
}

int FreeRamDevice(const RamDeviceId& device) {
  return device.backend == Backend::Zram ? FreeZramDevice(device.number) : FreeLoopDevice(device.number);
}
