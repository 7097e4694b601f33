#include "OldSignatures.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint64_t kEdge = 1 << 20;
constexpr std::size_t kBlock = 4096;

std::string EraseRange(int fd, std::uint64_t begin, std::uint64_t end) {
  std::vector<char> block(kBlock);
  const std::vector<char> zeros(kBlock, 0);
  for (std::uint64_t at = begin; at < end; at += kBlock) {
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, end - at));
    errno = 0;
    if (pread(fd, block.data(), size, static_cast<off_t>(at)) != static_cast<ssize_t>(size))
      return "can't read at byte " + std::to_string(at) + ": " + std::strerror(errno ? errno : EIO);
    if (std::memcmp(block.data(), zeros.data(), size) == 0) continue;
    errno = 0;
    if (pwrite(fd, zeros.data(), size, static_cast<off_t>(at)) != static_cast<ssize_t>(size))
      return "can't write at byte " + std::to_string(at) + ": " + std::strerror(errno ? errno : EIO);
  }
  return {};
}

}  // namespace

std::string EraseOldSignatures(int fd, std::uint64_t deviceBytes) {
  const std::uint64_t head = std::min(kEdge, deviceBytes);
  // The tail starts on a sector, as every signature does.
  const std::uint64_t tail = std::max(head, (deviceBytes - std::min(kEdge, deviceBytes)) / 512 * 512);
  std::string error = EraseRange(fd, 0, head);
  if (error.empty()) error = EraseRange(fd, tail, deviceBytes);
  return error;
}
