#include "RamDevice.h"

#include <unistd.h>

#include "LoopDevice.h"
#include "ZramDevice.h"

namespace {

// The faster of the two by bench/ramdevice_io: zram spends its time
// compressing, so a loop device over memory writes about twice as fast
// and reads no slower (much faster still when the data compresses well).
constexpr Backend kPreferred = Backend::Loop;

std::string MiB(std::uint64_t bytes) {
  return std::to_string(bytes >> 20) + " MiB";
}

// A disk larger than the machine's memory would take it from everything
// else as it fills, and fail its writes in the end.
std::string TooLarge(std::uint64_t bytes) {
  const std::uint64_t memory =
      static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES)) * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  if (bytes > memory) return "this machine has only " + MiB(memory) + " of memory";
  return {};
}

// Why backend can't serve bytes; empty when it can.
std::string Unsuitable(Backend backend, std::uint64_t bytes) {
  if (backend == Backend::Zram) {
    if (!ZramAvailable()) return "zram is not available (no /sys/class/zram-control)";
    if (!ZramFits(bytes))
      return "zram can't make a device of exactly " + std::to_string(bytes) + " bytes (not whole pages)";
    return TooLarge(bytes);
  }
  if (!LoopAvailable()) return "loop devices are not available (no /dev/loop-control)";
  return TooLarge(bytes);
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
