#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "Machine.h"
#include "RamDisk.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

Ran Hdiutil(const std::string& verb, const std::string& device, const RunOptions& options = {}) {
  return RunProgram(Tool("hdiutil"), {verb, device}, options);
}

// A volume name no other test uses, so that mount folders never meet.
std::string UniqueName(const std::string& base) {
  return base + " " + std::to_string(getpid());
}

RamDisk FormattedDisk(const std::string& name) {
  RamDisk disk(20480);
  if (!disk.path().empty()) RunProgram(Tool("newfs_hfs"), {"-v", name, disk.path()});
  return disk;
}

TEST(HdiutilTest, WithoutKernelSupportMountvolSaysSoAndLeavesNothing) {
  SKIP_WITHOUT_RAM_DISKS("");
  if (KernelHasHfsPlus()) GTEST_SKIP() << "this kernel can mount HFS+: the full cycle covers mounting";
  const std::string name = UniqueName("QB NoKernel");
  RamDisk disk = FormattedDisk(name);
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  const Ran ran = Hdiutil("mountvol", disk.path());
  EXPECT_EQ(ran.status, 1);
  EXPECT_EQ(ran.out, "") << "a failed mount prints no line for grep to pass";
  EXPECT_NE(ran.err.find("hdiutil: can't mount " + disk.path() + ": this kernel has no HFS+ support"),
            std::string::npos)
      << ran.err;
  EXPECT_FALSE(std::filesystem::exists("/media/" + name)) << "the mount folder must be removed again";
}

TEST(HdiutilTest, WhatIsNoRamDiskOrNoVolumeIsRefused) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk blank(2048);
  ASSERT_FALSE(blank.path().empty()) << blank.error();
  TempDir dir;
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"mountvol", blank.path(), "holds no HFS+ volume"},    {"mountvol", dir.path().string(), "not a block device"},
      {"mountvol", (dir / "missing").string(), "hdiutil: "}, {"detach", "/dev/null", "not a RAM disk"},
      {"detach", "/nonexistent/device", "not a RAM disk"},   {"detach", "/", "not a RAM disk"}};
  for (const auto& [verb, device, message] : cases) {
    const Ran ran = Hdiutil(verb, device);
    EXPECT_EQ(ran.status, 1) << verb << " " << device;
    EXPECT_NE(ran.err.find(message), std::string::npos) << ran.err;
  }
  EXPECT_EQ(blank.Bytes(), 2048u * 512) << "detach left the RAM disk alone";
}

class DetachBackendTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DetachBackendTest, ADeviceInUseIsResourceBusyWithStatus16) {
  SKIP_WITHOUT_RAM_DISKS(GetParam());
  RamDisk disk(2048, GetParam());
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  for (int flags : {O_RDONLY, O_RDONLY | O_EXCL}) {
    const int holder = open(disk.path().c_str(), flags | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    const Ran busy = Hdiutil("detach", disk.path());
    close(holder);
    EXPECT_EQ(busy.status, 16) << flags;
    EXPECT_NE(busy.err.find("resource busy"), std::string::npos) << busy.err;
    EXPECT_EQ(disk.Bytes(), 2048u * 512) << "a busy device stays as it was";
  }
  std::string message;
  EXPECT_EQ(disk.Detach(&message), 0) << message;
  EXPECT_TRUE(disk.Freed());
}

INSTANTIATE_TEST_SUITE_P(Backends, DetachBackendTest, ::testing::Values("zram", "loop"));

TEST(HdiutilTest, AnyOtherArgumentsGiveUsageAndStatus2) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"mountvol"}, {"detach"}, {"attach", "/dev/loop0"}, {"mountvol", "/dev/loop0", "x"}, {"DETACH", "/dev/x"}};
  for (const auto& args : cases) {
    const Ran ran = RunProgram(Tool("hdiutil"), args);
    EXPECT_EQ(ran.status, 2) << args.size();
    EXPECT_NE(ran.err.find("usage: hdiutil mountvol DEVICE"), std::string::npos) << args.size();
  }
}

// Where the kernel mounts HFS+: create, mount, write, read back, detach.
// Elsewhere RealKernelTest runs the cycle in a virtual machine's kernel.
TEST(HdiutilTest, FullCycleMountsWritesReadsAndFreesTheDisk) {
  SKIP_WITHOUT_RAM_DISKS("");
  if (!KernelHasHfsPlus()) GTEST_SKIP() << "this kernel has no HFS+ support (hfsplus): RealKernelTest runs the cycle";
  const std::string name = UniqueName("QB Cycle\tTab");
  const std::string folder = "/media/" + UniqueName("QB Cycle_Tab");
  RamDisk disk = FormattedDisk(name);
  RamDisk second = FormattedDisk(name);
  ASSERT_FALSE(disk.path().empty() || second.path().empty()) << disk.error() << second.error();

  const Ran mounted = Hdiutil("mountvol", disk.path(), Env({"SUDO_UID=65534", "SUDO_GID=65534"}));
  ASSERT_EQ(mounted.status, 0) << mounted.err;
  EXPECT_EQ(mounted.out, disk.path() + "\tApple_HFS\t" + folder + "\n");
  struct stat root {};
  ASSERT_EQ(stat(folder.c_str(), &root), 0);
  EXPECT_EQ(root.st_uid, 65534u) << "run through sudo, the disk belongs to the user";
  WriteFile(folder + "/file.txt", "on the RAM disk\n");
  EXPECT_EQ(ReadFile(folder + "/file.txt"), "on the RAM disk\n");

  const Ran again = Hdiutil("mountvol", second.path());
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, second.path() + "\tApple_HFS\t" + folder + " 1\n");

  {
    const int open_file = open((folder + "/file.txt").c_str(), O_RDONLY | O_CLOEXEC);
    const Ran busy = Hdiutil("detach", disk.path());
    close(open_file);
    EXPECT_EQ(busy.status, 16) << busy.err;
  }
  std::string message;
  EXPECT_EQ(disk.Detach(&message), 0) << message;
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_TRUE(disk.Freed());
  EXPECT_EQ(second.Detach(&message), 0) << message;
  EXPECT_FALSE(std::filesystem::exists(folder + " 1"));
}

}  // namespace
