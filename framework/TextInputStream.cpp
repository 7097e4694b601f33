#include "TextInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {
constexpr size_t kBlockBytes = 64 * 1024;
}

Ref<TextInputStream> TextInputStream::Open(const FolderItem& file) {
  // Not blocking: opening a FIFO would otherwise wait for a writer.
  const int descriptor = open(file.NativePath().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return nullptr;
  struct stat info;
  // A folder opens for reading on Linux, and a device or FIFO may never end:
  // only a regular file holds text.
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(descriptor);
    return nullptr;
  }
  return New<TextInputStream>(descriptor);
}

TextInputStream::~TextInputStream() {
  Close();
}

void TextInputStream::Close() {
  if (descriptor_ >= 0) close(descriptor_);
  descriptor_ = -1;
  buffer_.clear();
  position_ = 0;
}

bool TextInputStream::Fill() {
  buffer_.clear();
  position_ = 0;
  if (descriptor_ < 0) return false;
  buffer_.resize(kBlockBytes);
  ssize_t got;
  do {
    got = read(descriptor_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got < 0) readFailed_ = true;
  buffer_.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return !buffer_.empty();
}

bool TextInputStream::EndOfFile() {
  return position_ >= buffer_.size() && !Fill();
}

std::string TextInputStream::ReadLine() {
  std::string line;
  for (;;) {
    const char* const data = buffer_.data();
    const size_t size = buffer_.size();
    size_t end = position_;
    while (end < size && data[end] != '\n' && data[end] != '\r') ++end;
    line.append(data + position_, end - position_);
    if (end == size) {
      if (!Fill()) return line;  // the last line, without a line end
      continue;
    }
    position_ = end + 1;
    if (data[end] == '\r') {
      // CR LF is one line end, even when the block ends between the two.
      if (position_ == buffer_.size()) Fill();
      if (position_ < buffer_.size() && buffer_[position_] == '\n') ++position_;
    }
    return line;
  }
}
