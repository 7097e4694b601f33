// hdid, newfs_hfs and hdiutil on real RAM disks, as root: what they make,
// what they refuse, and what they say.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "RamDisk.h"
#include "Shell.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

Ran Newfs(const std::string& name, const std::string& device) {
  return RunProgram(Tool("newfs_hfs"), {"-v", name, device});
}

// The memory a RAM disk holds: zram's stored data, or its loop file's blocks.
unsigned long long StoredBytes(const RamDisk& disk) {
  return std::stoull(Sh(disk.backingFile().empty() ? "awk '{print $1}' /sys/block/" + disk.name() + "/mm_stat"
                                                   : "du -B1 '" + disk.backingFile() + "' | cut -f1")
                         .out);
}

TEST(ToolsTest, AnyOtherArgumentsGiveUsageAndStatus2) {
  const std::vector<std::vector<std::string>> calls = {{"hdid", "-nomount", "ram://0"},
                                                       {"hdid", "-nomount", "ram://4294967296"},
                                                       {"newfs_hfs", "-v", "Name"},
                                                       {"hdiutil", "attach", "/dev/x"}};
  for (const auto& call : calls) {
    const Ran ran = RunProgram(Tool(call[0]), {call.begin() + 1, call.end()});
    EXPECT_EQ(ran.status, 2) << call.back();
    EXPECT_EQ(ran.err.rfind("usage: " + call[0] + " ", 0), 0u) << ran.err;
  }
}

// Where polkit's pkexec is missing, or ran the tool without making it root
// (pkexec --user), root's rights can't be had; asking pkexec again would loop.
TEST(ToolsTest, WithoutRootOrPkexecHdidSaysRootIsNeeded) {
  const Ran hidden = InOwnMountNamespace(
      "for p in /usr/bin/pkexec /bin/pkexec; do [ -e $p ] && mount --bind /dev/null $p; done; exec setpriv "
      "--reuid=65534 --regid=65534 --clear-groups " +
      ShellQuote(Tool("hdid")) + " -nomount ram://2048");
  if (hidden.status == 77) GTEST_SKIP() << "hides pkexec in a mount namespace: " << hidden.out;
  const Ran again =
      RunProgram(Tool("hdid"), {"-nomount", "ram://2048"}, {.env = {"PKEXEC_UID=65534"}, .user = "nobody"});
  for (const Ran& ran : {hidden, again}) {
    EXPECT_EQ(ran.status, 1) << ran.err;
    EXPECT_EQ(ran.err.rfind("hdid: root is needed to make a RAM disk", 0), 0u) << ran.err;
    EXPECT_EQ(ran.out, "");
  }
}

class BackendTest : public ::testing::TestWithParam<const char*> {};

// Devices of exactly the size asked; a large fresh volume that costs almost no
// memory; a device in use is busy; detach frees each device with its memory.
TEST_P(BackendTest, DisksHaveTheirSizeTakeAVolumeAndDetachFreesThem) {
  SKIP_WITHOUT_RAM_DISKS(GetParam());
  const unsigned long long sizes[] = {2048, 8386560};
  std::vector<RamDisk> disks;
  for (unsigned long long sectors : sizes) {
    disks.emplace_back(sectors, GetParam());
    ASSERT_FALSE(disks.back().path().empty()) << disks.back().error();
    EXPECT_EQ(disks.back().name().rfind(GetParam(), 0), 0u);
    EXPECT_EQ(disks.back().Bytes(), sectors * 512);
  }
  const Ran ran = Newfs(
      "Gr\xC3\xBC\xC3\x9F"
      "e: \"RAM\" Disk",
      disks[1].path());
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_LE(StoredBytes(disks[1]), 512u << 10);
  EXPECT_EQ(FshfsinfoName(disks[1].path()),
            "Gru\xCC\x88\xC3\x9F"
            "e: \"RAM\" Disk");

  for (int flags : {O_RDONLY, O_RDONLY | O_EXCL}) {
    const int holder = open(disks[0].path().c_str(), flags | O_CLOEXEC);
    const Ran busy = RunProgram(Tool("hdiutil"), {"detach", disks[0].path()});
    close(holder);
    EXPECT_EQ(busy.status, 16) << flags;
    EXPECT_EQ(busy.err, "hdiutil: can't detach " + disks[0].path() + ": resource busy\n");
    EXPECT_EQ(disks[0].Bytes(), 2048u * 512) << "a busy device stays as it was";
  }
  for (RamDisk& disk : disks) {
    const std::string backing = disk.backingFile();
    std::string message;
    EXPECT_EQ(disk.Detach(&message), 0) << message;
    EXPECT_TRUE(backing.empty() || !std::filesystem::exists(backing)) << "the loop device's file must go";
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendTest, ::testing::Values("zram", "loop"));

// zram devices are whole pages: other sizes come from loop devices. Sizes
// beyond the machine's memory are refused.
TEST(ToolsTest, HdidTakesOddSizesFromLoopDevicesAndRefusesSizesBeyondMemory) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  RamDisk odd(2049);
  EXPECT_EQ(odd.Bytes(), 2049u * 512) << odd.error();
  EXPECT_EQ(odd.name().rfind("loop", 0), 0u);
  // The machine's memory as /proc/meminfo gives it, in KiB.
  const unsigned long long memory = std::stoull(Sh("awk '/^MemTotal:/ {print $2}' /proc/meminfo").out) << 10;
  const unsigned long long sectors = memory / 512 / 2 * 3;
  for (const char* backend : {"", "loop", "zram"}) {
    if (*backend && !WhyNoRamDisks(backend).empty()) continue;
    const Ran ran = RunProgram(Tool("hdid"), {"-nomount", "ram://" + std::to_string(sectors / 8 * 8)},
                               {.env = {std::string("HDID_BACKEND=") + backend}});
    if (ran.status == 0) RunProgram(Tool("hdiutil"), {"detach", Trimmed(ran.out)});
    EXPECT_EQ(ran.status, 1) << backend;
    EXPECT_NE(ran.err.find("this machine has only " + std::to_string(memory >> 20) + " MiB of memory"),
              std::string::npos)
        << backend << ": " << ran.err;
  }
}

// Nothing is written to a device that is refused.
TEST(ToolsTest, NewfsRefusalsLeaveTheDeviceAlone) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  RamDisk disk(2048), tiny(64, "loop");                                         // 32 KiB
  const int holder = open(disk.path().c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);  // as a mount holds it
  const Ran busy = Newfs("Busy", disk.path());
  close(holder);
  EXPECT_EQ(busy.status, 1);
  EXPECT_EQ(busy.err, "newfs_hfs: can't open " + disk.path() + ": it is in use (mounted?)\n");
  const Ran small = Newfs("Tiny", tiny.path());
  EXPECT_NE(small.err.find("too small for an HFS+ volume: it has 32768 bytes, at least"), std::string::npos)
      << small.err;
  EXPECT_FALSE(FshfsinfoName(disk.path()) || FshfsinfoName(tiny.path())) << "nothing may have been written";
}

// blkid and mount without a type trust no volume beside another file
// system's signature: a RAM disk whose number served ext4 before.
TEST(ToolsTest, ARamDiskThatHeldExt4HoldsOnlyTheNewVolume) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk disk(20480);
  ASSERT_EQ(RunProgram("mkfs.ext4", {"-q", "-F", disk.path()}).status, 0) << disk.error();
  // Signatures lie within a MiB of either end (RAID sets and backup partition
  // tables keep their marks near the end): a block planted at the inner edge of each.
  const int blocks[] = {255, 2304};  // of 4096 bytes on a 10 MiB disk
  for (int block : blocks)
    ASSERT_EQ(Sh("head -c 4096 /dev/urandom | dd of=" + disk.path() + " bs=4096 seek=" + std::to_string(block) +
                 " conv=notrunc status=none")
                  .status,
              0);
  ASSERT_EQ(Newfs("Second", disk.path()).status, 0);
  const Ran probed = RunProgram("blkid", {"-p", "-o", "export", disk.path()});
  EXPECT_NE(probed.out.find("TYPE=hfsplus\n"), std::string::npos) << probed.out;
  EXPECT_EQ(probed.out.find("TYPE=ext4"), std::string::npos) << probed.out;
  for (int block : blocks)
    EXPECT_EQ(Sh("cmp -s -n 4096 -i " + std::to_string(block * 4096) + ":0 " + disk.path() + " /dev/zero").status, 0)
        << "the old bytes of block " << block << " are gone";
}

TEST(ToolsTest, MountvolSaysWhyItCantMountAndLeavesNothing) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk blank(2048), formatted(20480);
  const std::string name = "QB NoKernel " + std::to_string(getpid());
  // Through a symbolic link, as the path of a disk may come.
  TempDir dir;
  std::filesystem::create_symlink(formatted.path(), dir / "link");
  ASSERT_EQ(Newfs(name, (dir / "link").string()).status, 0);
  const Ran none = RunProgram(Tool("hdiutil"), {"mountvol", blank.path()});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "hdiutil: can't mount " + blank.path() + ": it holds no HFS+ volume\n");
  if (KernelHasHfsPlus()) return;
  const Ran ran = RunProgram(Tool("hdiutil"), {"mountvol", formatted.path()});
  EXPECT_EQ(ran.status, 1);
  EXPECT_EQ(ran.out, "") << "a failed mount prints no line for grep to pass";
  EXPECT_EQ(ran.err, "hdiutil: can't mount " + formatted.path() +
                         ": this kernel has no HFS+ support (file system type hfsplus)\n");
  EXPECT_FALSE(std::filesystem::exists("/media/" + name)) << "the mount folder must be removed again";
}

}  // namespace
