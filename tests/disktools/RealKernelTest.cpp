// The full cycle in a kernel that mounts HFS+, whatever this machine's kernel
// can: the kernel of libguestfs's appliance (see real-kernel-cycle.sh).

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "Tools.h"

namespace {

// The user the disk is for, as pkexec tells the tools.
const std::vector<std::string> kUserEnv = {"PKEXEC_UID=1000"};

TEST(RealKernelTest, FullCycleInTheAppliancesKernelMountsForTheUserAndLeavesNothing) {
  std::vector<std::string> args = {BundleBin()};
  args.insert(args.end(), kUserEnv.begin(), kUserEnv.end());
  const Ran ran = RunProgram(QB_REAL_KERNEL_CYCLE, args);
  if (ran.status == 77) GTEST_SKIP() << ran.out;
  ASSERT_EQ(ran.status, 0) << ran.out << ran.err;

  std::map<std::string, std::string> steps;  // "BACKEND STEP" -> result
  std::istringstream lines(ran.out);
  for (std::string line; std::getline(lines, line);) {
    const auto second = line.find(' ', line.find(' ') + 1);
    if (second != std::string::npos) steps[line.substr(0, second)] = line.substr(second + 1);
  }
  const std::string folder = "/media/QB Kernel";
  for (const std::string backend : {"loop", "zram"}) {
    SCOPED_TRACE(backend);
    const auto step = [&](const std::string& name) {
      const auto found = steps.find(backend + " " + name);
      return found == steps.end() ? std::string("(not reached)") : found->second;
    };
    const std::string device = step("hdid").substr(2);
    EXPECT_EQ(step("hdid").rfind("0 /dev/" + backend, 0), 0u) << "hdid: " << step("hdid");
    const std::pair<std::string, std::string> expected[] = {{"newfs_hfs", "0"},
                                                            {"mountvol", "0 " + device + "\tApple_HFS\t" + folder},
                                                            {"owner", "1000:1001"},
                                                            {"file", "written by uid 1000"},
                                                            {"detach-mounted-elsewhere", "16 2"},
                                                            {"detach", "0"},
                                                            {"mounts-left", ""},
                                                            {"loops-left", ""},
                                                            {"zram-left", ""},
                                                            {"files-left", ""},
                                                            {"folders-left", ""}};
    for (const auto& [name, value] : expected) EXPECT_EQ(step(name), value) << name;
    // A user's disk runs no set-user-id programs, opens no device files, and is the user's.
    const std::pair<std::string, std::string> options[] = {{"mount-options", "nosuid"},
                                                           {"mount-options", "nodev"},
                                                           {"volume-options", "uid=1000"},
                                                           {"volume-options", "gid=1001"}};
    for (const auto& [name, option] : options)
      EXPECT_NE(("," + step(name) + ",").find("," + option + ","), std::string::npos) << option << " in " << step(name);
  }
  if (HasFailure()) ADD_FAILURE() << "the appliance said:\n" << ran.out;
}

}  // namespace
