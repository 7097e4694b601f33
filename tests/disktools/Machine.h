#pragma once
// What this machine offers the disk tests. A test that needs what is missing
// skips with the reason.

#include <string>

// Why the machine can't make RAM disks of backend ("zram", "loop", or "" for
// either): empty when it can.
std::string WhyNoRamDisks(const std::string& backend = "");
// Whether the kernel can mount HFS+ (built in, loaded or loadable).
bool KernelHasHfsPlus();

#define SKIP_WITHOUT_RAM_DISKS(backend)                                                    \
  do {                                                                                     \
    if (const std::string why = WhyNoRamDisks(backend); !why.empty()) GTEST_SKIP() << why; \
  } while (0)
