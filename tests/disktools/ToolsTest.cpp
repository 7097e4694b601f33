// hdid, newfs_hfs and hdiutil on real RAM disks, as root: what they make,
// what they refuse, and what they say.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>

#include "RamDisk.h"
#include "Shell.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

Ran Newfs(const std::string& name, const std::string& device) {
  return RunProgram(Tool("newfs_hfs"), {"-v", name, device});
}

// What a step costs a RAM disk in memory: zram's stored data, or for a loop
// device the bytes written to it, since its memory file takes a page only
// where one is written. The device's counters are kept across bindings.
unsigned long long StoredBytes(const RamDisk& disk) {
  return std::stoull(Sh(disk.name().rfind("zram", 0) == 0
                            ? "awk '{print $1}' /sys/block/" + disk.name() + "/mm_stat"
                            : "awk '{print $7 * 512}' /sys/block/" + disk.name() + "/stat")
                         .out);
}

// Whether a loop device still holds the memory file of a disk made as disk.
bool MemoryStillBound(const RamDisk& disk) {
  const dev_t file = std::stoull("0" + disk.Field("backing-device"));
  const std::string identity =
      std::to_string(major(file)) + ":" + std::to_string(minor(file)) + " " + disk.Field("backing-inode");
  return Sh("losetup -l -n -O BACK-MAJ:MIN,BACK-INO | grep -qxE ' *" + identity + "'").status == 0;
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
  const unsigned long long before = StoredBytes(disks[1]);
  const Ran ran = Newfs(
      "Gr\xC3\xBC\xC3\x9F"
      "e: \"RAM\" Disk",
      disks[1].path());
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_LE(StoredBytes(disks[1]) - before, 512u << 10);
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
    std::string message;
    EXPECT_EQ(disk.Detach(&message), 0) << message;
    EXPECT_TRUE(disk.Field("backend") == "zram" || !MemoryStillBound(disk)) << "the memory must go with the device";
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

// The lock the tools' root parts take, held by the test as a tool would.
struct ToolsLock {
  ToolsLock() { ::flock(fd, LOCK_EX); }
  ~ToolsLock() { close(fd); }
  int fd = open("/run/quillbarrow/lock", O_RDWR | O_CLOEXEC);
};

// A detach that has freed its device and not yet forgotten its record (held
// there by strace) while another user's hdid runs: the kernel may give the
// new disk the same number, and its record must not go with the old one's.
TEST_P(BackendTest, ADetachHeldUpAfterFreeingLeavesTheNextUsersDiskAlone) {
  SKIP_WITHOUT_RAM_DISKS(GetParam());
  RamDisk first(2048, GetParam());
  ASSERT_FALSE(first.path().empty()) << first.error();
  const std::string freed = first.name().rfind("zram", 0) == 0 ? "/sys/block/" + first.name()
                                                               : "/sys/block/" + first.name() + "/loop/backing_file";
  // LeakSanitizer, where the build has it, can't work under strace.
  Started detach("strace",
                 {"-f", "-o", "/dev/null", "-e", "inject=unlink,unlinkat:delay_enter=2000000", Tool("hdiutil"),
                  "detach", first.path()},
                 {.env = {"ASAN_OPTIONS=detect_leaks=0"}});
  ASSERT_TRUE(Within5s([&] { return !std::filesystem::exists(freed); })) << "the detach did not free its device";
  const std::string nobody = "PKEXEC_UID=65534";
  const Ran made = RunProgram(Tool("hdid"), {"-nomount", "ram://2048"},
                              {.env = {nobody, "HDID_BACKEND=" + std::string(GetParam())}});
  const Ran detached = detach.Wait();
  EXPECT_EQ(detached.status, 0) << detached.err;
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string second = Trimmed(made.out);
  EXPECT_NE(ReadFile("/run/quillbarrow/" + second.substr(5)).find("\nuid 65534\n"), std::string::npos) << second;
  EXPECT_EQ(RunProgram(Tool("newfs_hfs"), {"-v", "Second", second}, {.env = {nobody}}).err, "");
  EXPECT_EQ(FshfsinfoName(second), "Second");
  const Ran freedSecond = RunProgram(Tool("hdiutil"), {"detach", second}, {.env = {nobody}});
  EXPECT_EQ(freedSecond.status, 0) << freedSecond.err;
}

// Once root, a tool finishes its step whatever the caller's terminal sends
// its group: stop, interrupt, quit, hang-up, a closed pipe.
TEST(ToolsTest, TheRootPartFinishesWhateverTheTerminalSends) {
  SKIP_WITHOUT_RAM_DISKS("");
  std::optional<Started> hdid;
  {
    // Held by the test, the lock keeps hdid waiting where the signals reach it.
    ToolsLock lock;
    hdid.emplace(Tool("hdid"), std::vector<std::string>{"-nomount", "ram://2048"});
    const std::string waiting = "-> FLOCK  ADVISORY  WRITE " + std::to_string(hdid->pid()) + " ";
    ASSERT_TRUE(Within5s([&] { return ReadFile("/proc/locks").find(waiting) != std::string::npos; }));
    for (int signal : {SIGTSTP, SIGTTIN, SIGTTOU, SIGINT, SIGQUIT, SIGHUP, SIGPIPE}) kill(hdid->pid(), signal);
    usleep(100000);
    const std::string stat = ReadFile("/proc/" + std::to_string(hdid->pid()) + "/stat");
    EXPECT_EQ(stat.substr(stat.rfind(')') + 2, 1), "S") << "neither stopped nor ended: " << stat;
  }
  const Ran ran = hdid->Wait();
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(RunProgram(Tool("hdiutil"), {"detach", Trimmed(ran.out)}).status, 0) << ran.out;
}

// The loop devices' memory is in no folder: another user's folder or link
// where hdid once kept its files, or a full /dev/shm, neither stops hdid nor
// fails the writes of a disk larger than what /dev/shm has left. In a mount
// namespace of the test's own, with a 1 MiB /dev/shm.
TEST(ToolsTest, NoUsersFolderLinkOrFullDevShmStopsHdidOrBreaksWrites) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  const std::string bin = ShellQuote(BundleBin());
  const Ran ran = InOwnMountNamespace(
      "set -e; mount -t tmpfs -o size=1M,mode=1777 qbtest /dev/shm\n"
      "setpriv --reuid=65534 --regid=65534 --clear-groups sh -c 'mkdir -m 700 /dev/shm/quillbarrow; "
      "ln -s / /dev/shm/quillbarrow-link; head -c 2M /dev/zero >/dev/shm/fill 2>/dev/null || true'\n"
      "disk=$(HDID_BACKEND=loop " +
      bin +
      "/hdid -nomount ram://16384)\n"
      "data=$(mktemp); head -c 6M /dev/urandom >$data\n"
      "dd if=$data of=$disk bs=1M oflag=direct conv=fsync status=none && cmp -n 6M $data $disk && echo written\n"
      "rm $data; " +
      bin + "/hdiutil detach $disk && echo detached\n");
  if (ran.status == 77) GTEST_SKIP() << ran.out;
  EXPECT_EQ(ran.out, "written\ndetached\n") << ran.err;
  EXPECT_EQ(ran.status, 0);
}

// A record is the truth or nothing: another boot's counts as none and goes
// when met. A mount cut short after its folder was recorded leaves no empty
// folder behind, and its owner can still detach the disk.
TEST(ToolsTest, AnotherBootsRecordCountsForNothingAndACutShortMountCanBeUndone) {
  SKIP_WITHOUT_RAM_DISKS("loop");
  const auto rewrite = [](const RamDisk& disk, const std::string& key, const std::string& value) {
    const std::string record = "/run/quillbarrow/" + disk.name();
    std::string text = ReadFile(record);
    const auto at = text.find("\n" + key + " ") + key.size() + 2;
    WriteFile(record, text.replace(at, text.find('\n', at) - at, value));
  };
  RamDisk old(2048, "loop");
  rewrite(old, "boot", "00000000-0000-4000-8000-000000000000");
  EXPECT_EQ(Newfs("Old", old.path()).err, "newfs_hfs: " + old.path() + " is not a RAM disk made by hdid\n");
  EXPECT_FALSE(std::filesystem::exists("/run/quillbarrow/" + old.name())) << "another boot's record must go";
  Sh("losetup -d " + old.path());

  RamDisk cut(20480);
  ASSERT_EQ(Newfs("QB Cut " + std::to_string(getpid()), cut.path()).status, 0) << cut.error();
  const std::string folder = "/media/QB Cut short " + std::to_string(getpid());
  const auto cutShort = [&] {
    std::filesystem::create_directories(folder);
    rewrite(cut, "mount", folder);
  };
  if (!KernelHasHfsPlus()) {
    cutShort();
    EXPECT_EQ(RunProgram(Tool("hdiutil"), {"mountvol", cut.path()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(std::filesystem::exists("/media/QB Cut " + std::to_string(getpid())));
  }
  cutShort();
  std::string message;
  EXPECT_EQ(cut.Detach(&message), 0) << message;
  EXPECT_FALSE(std::filesystem::exists(folder));
}

// Made set-user-id root and run by a user, a copy of a tool does nothing,
// whatever that user puts in its environment.
TEST(ToolsTest, ASetUserIdCopyRunByAUserChangesNothing) {
  SKIP_WITHOUT_RAM_DISKS("");
  RamDisk disk(2048);
  ASSERT_FALSE(disk.path().empty()) << disk.error();
  const TempDir dir(std::filesystem::path(BundleBin()).parent_path().parent_path());
  if (Sh("findmnt -n -o OPTIONS -T " + ShellQuote(dir.path()) + " | grep -qw nosuid").status == 0)
    GTEST_SKIP() << "the build folder's file system ignores set-user-id bits";
  const std::string copy = (dir / "hdiutil").string();
  ASSERT_EQ(Sh("chmod 755 " + ShellQuote(dir.path()) + " && cp " + ShellQuote(Tool("hdiutil")) + " " +
               ShellQuote(copy) + " && chmod 4755 " + ShellQuote(copy))
                .status,
            0);
  for (const std::vector<std::string>& env :
       {std::vector<std::string>{}, {"PKEXEC_UID=0"}, {"SUDO_UID=0", "SUDO_GID=0"}}) {
    const Ran ran = RunProgram(copy, {"detach", disk.path()}, {.env = env, .user = "nobody"});
    EXPECT_EQ(ran.status, 1) << ran.err;
    EXPECT_EQ(ran.err,
              "hdiutil: nothing done: a set-user-id or set-group-id copy is not trusted; root's rights come through "
              "pkexec or sudo\n");
  }
  EXPECT_FALSE(disk.Freed());
}

}  // namespace
