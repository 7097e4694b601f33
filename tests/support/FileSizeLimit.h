#pragma once
// Makes every write past a file size fail, as a full disk would, even for root: RLIMIT_FSIZE for the process,
// with SIGXFSZ ignored so that the write fails with EFBIG instead of ending the process. Undone when it goes.

#include <sys/resource.h>

#include <csignal>

struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    const rlimit limit{bytes, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;

  void (*oldHandler_)(int);
  rlimit old_{};
};
