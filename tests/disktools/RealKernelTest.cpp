// The full cycle in a kernel that mounts HFS+, whatever this machine's kernel
// can: the kernel of libguestfs's appliance (see real-kernel-cycle.sh).

#include <gtest/gtest.h>

#include "Tools.h"

namespace {

TEST(RealKernelTest, FullCycleInTheAppliancesKernelMountsForTheUserAndLeavesNothing) {
  const Ran ran = RunProgram(QB_REAL_KERNEL_CYCLE, {BundleBin(), "PKEXEC_UID=1000"});
  if (ran.status == 77) GTEST_SKIP() << ran.out;
  ASSERT_EQ(ran.status, 0) << ran.out << ran.err;
  // In the appliance's fresh kernel each backend's first device is number 0.
  std::string expected;
  for (const std::string backend : {"loop", "zram"}) {
    const std::string device = "/dev/" + backend + "0";
    for (const std::string& line : std::vector<std::string>{
             "hdid 0 " + device, "newfs_hfs 0",
             "mountvol " + device + "\tApple_HFS\t/media/QB Kernel|hdiutil: " + device +
                 " is already mounted at /media/QB Kernel|status 0|status 1|",
             "owner 1000:1001", "options 2 2", "file written by uid 1000", "detach-mounted-elsewhere 16 2", "detach 0",
             "mounts-left ", "loops-left ", "zram-left ", "files-left ", "folders-left "})
      expected += backend + " " + line + "\n";
    expected.insert(expected.rfind(backend + " detach-mounted-elsewhere"),
                    "hdiutil: can't detach " + device + ": resource busy (mounted at /tmp/elsewhere)\n");
  }
  EXPECT_EQ(ran.out, expected);
}

}  // namespace
