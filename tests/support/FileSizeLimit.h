#pragma once
// Makes every write past a file size fail, as a full disk would, even for
// root: RLIMIT_FSIZE for the process, with SIGXFSZ ignored so that the write
// fails with EFBIG instead of ending the process. Undone when the object goes.

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, old_.rlim_max};
    applied_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool applied() const { return applied_; }

private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
  bool applied_ = false;
};
