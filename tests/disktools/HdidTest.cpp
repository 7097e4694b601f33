#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "Machine.h"
#include "RamDisk.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

class HdidBackendTest : public ::testing::TestWithParam<const char*> {};

// Devices of exactly the size asked, several at once, each freed by detach
// with its memory (and, for loop devices, the file in /dev/shm).
TEST_P(HdidBackendTest, DevicesHaveExactlyTheSizeAskedAndDetachFreesThem) {
  SKIP_WITHOUT_RAM_DISKS(GetParam());
  const unsigned long long sizes[] = {2048, 102400, 8386560};
  std::vector<RamDisk> disks;
  for (unsigned long long sectors : sizes) {
    disks.emplace_back(sectors, GetParam());
    ASSERT_FALSE(disks.back().path().empty()) << disks.back().error();
  }
  for (size_t i = 0; i < disks.size(); ++i) {
    const RamDisk& disk = disks[i];
    EXPECT_EQ(disk.name().rfind(GetParam(), 0), 0u) << disk.path();
    EXPECT_EQ(disk.Bytes(), sizes[i] * 512) << disk.path();
    for (size_t j = 0; j < i; ++j) EXPECT_NE(disk.path(), disks[j].path());
  }
  for (RamDisk& disk : disks) {
    const std::string backing = disk.backingFile();
    std::string message;
    ASSERT_EQ(disk.Detach(&message), 0) << message;
    EXPECT_TRUE(disk.Freed());
    EXPECT_EQ(backing.empty(), std::string(GetParam()) == "zram");
    if (!backing.empty()) {
      EXPECT_FALSE(std::filesystem::exists(backing)) << "the file in /dev/shm must go";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, HdidBackendTest, ::testing::Values("zram", "loop"));

// zram devices are whole pages: other sizes come from loop devices, or are
// refused when zram is asked for alone.
TEST(HdidTest, SizesThatAreNoWholePagesComeFromLoopDevices) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  RamDisk odd(2049);
  ASSERT_FALSE(odd.path().empty()) << odd.error();
  EXPECT_EQ(odd.Bytes(), 2049u * 512);
  EXPECT_EQ(odd.name().rfind("loop", 0), 0u);
  if (!WhyNoRamDisks("zram").empty()) return;
  const Ran ran = RunProgram(Tool("hdid"), {"-nomount", "ram://2049"}, Env({"HDID_BACKEND=zram"}));
  if (ran.status == 0) RamDisk::Adopt(ran.out.substr(0, ran.out.find('\n')));
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(ran.err.find("whole pages"), std::string::npos) << ran.err;
  EXPECT_EQ(ran.out, "");
}

TEST(HdidTest, ASizeLargerThanTheMemoryIsRefused) {
  SKIP_WITHOUT_RAM_DISKS("");
  for (const char* backend : {"", "loop", "zram"}) {
    if (*backend && !WhyNoRamDisks(backend).empty()) continue;
    const Ran ran =
        RunProgram(Tool("hdid"), {"-nomount", "ram://4294967288"}, Env({std::string("HDID_BACKEND=") + backend}));
    if (ran.status == 0) RamDisk::Adopt(Trimmed(ran.out));
    EXPECT_EQ(ran.status, 1) << backend;
    EXPECT_NE(ran.err.find("of memory"), std::string::npos) << backend << ": " << ran.err;
    EXPECT_EQ(ran.out, "") << backend;
  }
}

TEST(HdidTest, AnyOtherArgumentsGiveUsageAndStatus2) {
  // clang-format off
  const std::vector<std::vector<std::string>> cases = {
      {}, {"-nomount"}, {"ram://2048"}, {"-mount", "ram://2048"}, {"-nomount", "ram://"}, {"-nomount", "ram://0"},
      {"-nomount", "ram://-5"}, {"-nomount", "ram://+5"}, {"-nomount", "ram://12ab"}, {"-nomount", "ram://4294967296"},
      {"-nomount", "ram:// 2048"}, {"-nomount", "RAM://2048"}, {"-nomount", "ram://2048", "extra"}};
  // clang-format on

  for (const auto& args : cases) {
    const Ran ran = RunProgram(Tool("hdid"), args);
    std::string shown;
    for (const auto& arg : args) shown += "[" + arg + "]";
    EXPECT_EQ(ran.status, 2) << shown;
    EXPECT_NE(ran.err.find("usage: hdid -nomount ram://N"), std::string::npos) << shown;
    EXPECT_EQ(ran.out, "") << shown;
  }
  const Ran ran = RunProgram(Tool("hdid"), {"-nomount", "ram://2048"}, Env({"HDID_BACKEND=ramfs"}));
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("zram or loop"), std::string::npos) << ran.err;
  EXPECT_EQ(ran.out, "");
}

// Where polkit's pkexec is missing, root's rights can't be had.
TEST(DiskToolsTest, WithoutRootOrPkexecEachToolSaysRootIsNeeded) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to hide pkexec and run the tools as another user";
  const std::vector<std::vector<std::string>> calls = {
      {"hdid", "-nomount", "ram://2048"},
      {"newfs_hfs", "-v", "Name", "/dev/null"},
      {"hdiutil", "mountvol", "/dev/null"},
      {"hdiutil", "detach", "/dev/null"},
  };
  for (const auto& call : calls) {
    std::vector<std::string> args = {"-m", "/bin/sh", "-c",
                                     "for p in /usr/bin/pkexec /bin/pkexec; do [ -e $p ] && mount --bind /dev/null $p; "
                                     "done; exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$0\" \"$@\"",
                                     Tool(call[0])};
    args.insert(args.end(), call.begin() + 1, call.end());
    const Ran ran = RunProgram("unshare", args);
    EXPECT_EQ(ran.status, 1) << call[0] << ": " << ran.err;
    EXPECT_NE(ran.err.find(call[0] + ": root is needed"), std::string::npos) << ran.err;
    EXPECT_EQ(ran.out, "") << call[0];
  }
}

}  // namespace
