#pragma once
// The kernel lets only root make block devices, write them and mount them.

#include <unistd.h>

#include <cstdio>

// False, after saying so on standard error, when not running as root.
inline bool HaveRoot(const char* tool, const char* task) {
  if (geteuid() == 0) return true;
  std::fprintf(stderr, "%s: root is needed to %s; run it as root, for example with sudo\n", tool, task);
  return false;
}
