// Sequential 1 MiB reads and writes with O_DIRECT over 256 MiB on a RAM disk
// from each of hdid's backends (zram, loop over memory), against the same
// on a file in tmpfs, in the same run. The faster backend should be hdid's
// default: the run fails when the default is more than 10% slower.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "Measure.h"
#include "RamDevices.h"

namespace {

constexpr size_t kChunk = 1 << 20;
constexpr size_t kChunks = 256;
constexpr int kRounds = 5;

struct Times {
  double write = 0;
  double read = 0;
};

struct AlignedFree {
  void operator()(char* p) const { std::free(p); }
};

// Incompressible data. zram is slower still on data that compresses well,
// since it then really compresses.
std::unique_ptr<char, AlignedFree> RandomBuffer() {
  std::unique_ptr<char, AlignedFree> buffer(static_cast<char*>(std::aligned_alloc(4096, kChunk)));
  std::mt19937_64 random(42);
  for (size_t i = 0; i < kChunk; i += 8) {
    const std::uint64_t value = random();
    std::memcpy(buffer.get() + i, &value, 8);
  }
  return buffer;
}

bool Transfer(int fd, char* buffer, bool write) {
  for (size_t i = 0; i < kChunks; ++i) {
    const off_t offset = static_cast<off_t>(i * kChunk);
    const ssize_t done = write ? pwrite(fd, buffer, kChunk, offset) : pread(fd, buffer, kChunk, offset);
    if (done != static_cast<ssize_t>(kChunk)) return false;
  }
  return !write || fdatasync(fd) == 0;
}

bool Measure(const std::string& path, Times& times) {
  const int fd = open(path.c_str(), O_RDWR | O_DIRECT | O_CLOEXEC);
  if (fd < 0) return false;
  auto buffer = RandomBuffer();
  bool ok = true;
  times.write = MedianSeconds(kRounds, [&] { ok = Transfer(fd, buffer.get(), true) && ok; });
  times.read = MedianSeconds(kRounds, [&] { ok = Transfer(fd, buffer.get(), false) && ok; });
  close(fd);
  return ok;
}

}  // namespace

int main() {
  if (const std::string why = WhyNotHere(); !why.empty()) {
    std::printf("skipped: %s\n", why.c_str());
    return 0;
  }
  const std::string tmpfsFile = "/dev/shm/quillbarrow-bench-" + std::to_string(getpid());
  Times tmpfs;
  {
    const int fd = open(tmpfsFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool made = fd >= 0 && ftruncate(fd, kChunk * kChunks) == 0;
    if (fd >= 0) close(fd);
    const bool measured = made && Measure(tmpfsFile, tmpfs);
    unlink(tmpfsFile.c_str());
    if (!measured) {
      std::printf("skipped: O_DIRECT on a tmpfs file does not work on this kernel\n");
      return 0;
    }
  }

  const unsigned long long sectors = kChunk * kChunks / 512;
  Times backends[2];
  bool have[2] = {false, false};
  const char* names[2] = {"zram", "loop"};
  for (int i = 0; i < 2; ++i) {
    BenchDisk disk(sectors, names[i]);
    if (disk.path().empty()) {
      std::printf("%s: no device (see hdid's message above); not measured\n", names[i]);
      continue;
    }
    have[i] = Measure(disk.path(), backends[i]);
    if (!have[i]) std::printf("%s: O_DIRECT transfers on %s failed\n", names[i], disk.path().c_str());
  }

  for (int i = 0; i < 2; ++i) {
    if (!have[i]) continue;
    std::printf("%-60s %9.3f ms vs %9.3f ms  ratio %.3f\n", (std::string(names[i]) + " write vs tmpfs file").c_str(),
                backends[i].write * 1e3, tmpfs.write * 1e3, backends[i].write / tmpfs.write);
    std::printf("%-60s %9.3f ms vs %9.3f ms  ratio %.3f\n", (std::string(names[i]) + " read vs tmpfs file").c_str(),
                backends[i].read * 1e3, tmpfs.read * 1e3, backends[i].read / tmpfs.read);
  }
  if (!have[0] || !have[1]) {
    std::printf("only one backend here: nothing to choose between\n");
    return 0;
  }

  // Which backend hdid takes by default: the one it makes without being told.
  BenchDisk plain(sectors, "");
  const int chosen = plain.path().rfind("/dev/zram", 0) == 0 ? 0 : 1;
  const int other = 1 - chosen;
  const double chosenTotal = backends[chosen].write + backends[chosen].read;
  const double otherTotal = backends[other].write + backends[other].read;
  const std::string what = std::string("default ") + names[chosen] + " (write+read) vs " + names[other];
  return Report(what.c_str(), chosenTotal, otherTotal, 1.10) ? 0 : 1;
}
