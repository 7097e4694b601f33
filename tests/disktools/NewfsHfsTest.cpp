#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "Machine.h"
#include "RamDisk.h"
#include "Readers.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

Ran Newfs(const std::string& name, const std::string& device) {
  return RunProgram(Tool("newfs_hfs"), {"-v", name, device});
}

// What the RAM disk holds in memory: zram's stored data (the first field of
// mm_stat), or what the loop device's file in /dev/shm has allocated.
unsigned long long StoredBytes(const RamDisk& disk) {
  if (disk.name().rfind("zram", 0) == 0) {
    std::ifstream stat("/sys/block/" + disk.name() + "/mm_stat");
    unsigned long long original = 0;
    stat >> original;
    return original;
  }
  struct stat info {};
  const std::string backing = Trimmed(ReadFile("/sys/block/" + disk.name() + "/loop/backing_file"));
  return stat(backing.c_str(), &info) == 0 ? static_cast<unsigned long long>(info.st_blocks) * 512 : ~0ull;
}

class NewfsHfsBackendTest : public ::testing::TestWithParam<const char*> {};

// A 4,095 MB volume, named with an umlaut typed precomposed, that readers
// find with its name stored decomposed and its size, and that costs almost
// no memory.
TEST_P(NewfsHfsBackendTest, ReadersFindALargeFreshVolumeThatCostsAlmostNoMemory) {
  SKIP_WITHOUT_RAM_DISKS(GetParam());
  RamDisk disk(8386560, GetParam());
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  const Ran ran = Newfs(
      "Gr\xC3\xBC\xC3\x9F"
      "e: \"RAM\" Disk",
      disk.path());
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.out, "");
  EXPECT_LE(StoredBytes(disk), 2u << 20);
  EXPECT_EQ(FshfsinfoName(disk.path()),
            "Gru\xCC\x88\xC3\x9F"
            "e: \"RAM\" Disk");
  const auto seen = SevenZipList(disk.path());
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->physicalSize, 8386560ull * 512);
}

INSTANTIATE_TEST_SUITE_P(Backends, NewfsHfsBackendTest, ::testing::Values("zram", "loop"));

// Nothing is written to a device that is refused.
TEST(NewfsHfsTest, RefusalsLeaveTheDeviceAlone) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  RamDisk disk(2048), tiny(64, "loop");  // 32 KiB
  ASSERT_FALSE(disk.path().empty() || tiny.path().empty()) << disk.error() << tiny.error();
  TempDir dir;
  const int holder = open(disk.path().c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);  // as a mount holds it
  ASSERT_GE(holder, 0);
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"Busy", disk.path(), "in use"},
      {"Tiny", tiny.path(), "too small for an HFS+ volume: it has 32768 bytes, at least"},
      {"X", (dir / "missing").string(), "newfs_hfs: "},
      {"X", dir.path().string(), "newfs_hfs: "}};
  for (const auto& [name, device, message] : cases) {
    const Ran ran = Newfs(name, device);
    EXPECT_EQ(ran.status, 1) << device;
    EXPECT_NE(ran.err.find(message), std::string::npos) << ran.err;
  }
  close(holder);
  for (const auto& [name, why] : {std::pair{std::string(256, 'x'), "too long"}, {"bad \xC3", "not valid UTF-8"}}) {
    const Ran ran = Newfs(name, disk.path());
    EXPECT_EQ(ran.status, 1) << why;
    EXPECT_NE(ran.err.find(why), std::string::npos) << ran.err;
  }
  EXPECT_FALSE(SevenZipList(disk.path())) << "nothing may have been written";
  EXPECT_FALSE(SevenZipList(tiny.path()));
}

// blkid and mount without a type trust no volume beside another file
// system's signature: a RAM disk whose number served ext4 before.
TEST(NewfsHfsTest, ARamDiskThatHeldExt4HoldsOnlyTheNewVolume) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk disk(20480);
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  ASSERT_EQ(RunProgram("mkfs.ext4", {"-q", "-F", disk.path()}).status, 0);
  // Where RAID sets and backup partition tables keep their marks.
  ASSERT_EQ(RunProgram("/bin/sh", {"-c", "head -c 4096 /dev/urandom | dd of=" + disk.path() +
                                             " bs=4096 seek=2544 conv=notrunc status=none"})
                .status,
            0);
  ASSERT_EQ(Newfs("Second", disk.path()).status, 0);
  const Ran probed = RunProgram("blkid", {"-p", "-o", "export", disk.path()});
  EXPECT_EQ(probed.status, 0) << probed.err;
  EXPECT_NE(probed.out.find("TYPE=hfsplus\n"), std::string::npos) << probed.out;
  EXPECT_EQ(probed.out.find("TYPE=ext4"), std::string::npos) << probed.out;
  const int fd = open(disk.path().c_str(), O_RDONLY | O_CLOEXEC);
  std::string block(4096, 'x');
  EXPECT_EQ(pread(fd, block.data(), block.size(), 2544 * 4096), 4096);
  close(fd);
  EXPECT_TRUE(block == std::string(4096, '\0')) << "the old bytes near the end are gone";
}

TEST(NewfsHfsTest, AnyOtherArgumentsGiveUsageAndStatus2) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"-v"}, {"-v", "Name"}, {"Name", "/dev/null"}, {"-x", "Name", "/dev/null"}, {"-v", "a", "b", "c"}};
  for (const auto& args : cases) {
    const Ran ran = RunProgram(Tool("newfs_hfs"), args);
    EXPECT_EQ(ran.status, 2) << args.size();
    EXPECT_NE(ran.err.find("usage: newfs_hfs -v NAME DEVICE"), std::string::npos) << args.size();
  }
}

TEST(NewfsHfsTest, LibhfspWritesAFolderAndAFileAndReadsThemBack) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk disk(102400);
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  ASSERT_EQ(Newfs("Shared", disk.path()).status, 0);
  if (const std::string why = WhyLibhfspCantRead(disk.path()); !why.empty()) GTEST_SKIP() << why;

  // libhfsp keeps its current volume in $HOME/.hfsplusvolume and asks before
  // it writes: a home of the test's own, and answers ready.
  TempDir home;
  WriteFile(home / "note.txt", "written by hpcopy\n");
  RunOptions options = Env({"HOME=" + home.path().string()});
  options.input = std::string(64, 'y') + "\n";
  ASSERT_EQ(RunProgram("hpmount", {disk.path()}, options).status, 0);
  EXPECT_EQ(RunProgram("hpmkdir", {"folder"}, options).status, 0);
  EXPECT_EQ(RunProgram("hpcopy", {(home / "note.txt").string(), "folder/note.txt"}, options).status, 0);
  const Ran listed = RunProgram("hpls", {"folder"}, options);
  EXPECT_NE(listed.out.find("note.txt"), std::string::npos) << listed.out << listed.err;
  EXPECT_EQ(RunProgram("hpcopy", {"folder/note.txt", (home / "back.txt").string()}, options).status, 0);
  RunProgram("hpumount", {}, options);
  EXPECT_EQ(ReadFile(home / "back.txt"), "written by hpcopy\n");
  EXPECT_EQ(RunProgram("hpfsck", {disk.path()}).status, 0);
}

}  // namespace
