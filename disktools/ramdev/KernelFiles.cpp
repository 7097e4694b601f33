#include "KernelFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int WriteKernelFile(const std::string& file, const std::string& text) {
  const int fd = open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  const ssize_t written = write(fd, text.data(), text.size());
  const int error = written < 0 ? errno : (static_cast<size_t>(written) == text.size() ? 0 : EIO);
  close(fd);
  return error;
}

std::optional<std::string> ReadKernelFile(const std::string& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buffer[4096];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(got));
  close(fd);
  if (got < 0) return std::nullopt;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}
