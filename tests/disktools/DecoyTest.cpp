// What hdid did not make is refused by newfs_hfs and hdiutil, and no byte,
// binding or size of it changes: others' loop and zram devices, a look-alike
// of hdid's files, a plain file, a link, a device of hdid's rebound since.

#include <gtest/gtest.h>

#include <filesystem>

#include "RamDisk.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

// Everything a tool could change of a decoy: its bytes, size and binding.
std::string Fingerprint(const std::string& path) {
  const std::string real = std::filesystem::canonical(path).string();
  const std::string name = real.substr(real.rfind('/') + 1);
  return Sh("sha256sum < '" + real + "'; stat -L -c %s '" + real + "'; blockdev --getsize64 '" + real +
            "' 2>/dev/null || true; cat /sys/block/" + name + "/loop/backing_file 2>/dev/null || true")
      .out;
}

class DecoyTest : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_RAM_DISKS("loop"); }
  void TearDown() override {
    Sh("umount '" + (dir / "mnt").string() + "' 2>/dev/null || true");
    for (const std::string& loop : loops) Sh("losetup -d " + loop + " 2>/dev/null || true");
    if (!zram.empty())
      Sh("echo 1 > /sys/block/" + zram + "/reset; echo " + zram.substr(4) + " > /sys/class/zram-control/hot_remove");
    if (!lookAlike.empty()) std::filesystem::remove(lookAlike);
    // The rebound device's record, unless hdid has since given its number to
    // a new disk of another test.
    if (!stale.empty())
      Sh("grep -qF '" + stale + "' /run/quillbarrow/" + staleName + " && rm /run/quillbarrow/" + staleName + "; rm '" +
         stale + "'");
  }
  // A file of random bytes bound to a new loop device: the device.
  std::string BoundLoop(const std::string& file) {
    const std::string loop = Trimmed(Sh("losetup --find --show '" + file + "'").out);
    loops.push_back(loop);
    return loop;
  }
  std::string RandomFile(const std::string& file) {
    Sh("head -c 4194304 /dev/urandom > '" + file + "'");
    return file;
  }

  TempDir dir;
  std::filesystem::path mounted = dir / "mnt";
  std::vector<std::string> loops;
  std::string zram, lookAlike, stale, staleName;
};

TEST_F(DecoyTest, NoToolChangesWhatHdidDidNotMake) {
  std::vector<std::pair<std::string, std::string>> decoys = {
      {"a loop device over someone's file", BoundLoop(RandomFile(dir / "random.img"))},
      {"a plain file", RandomFile(dir / "plain.img")}};
  decoys.push_back({"a symbolic link to a decoy", (dir / "link").string()});
  std::filesystem::create_symlink(decoys[0].second, decoys.back().second);

  // An ext4 image mounted through one loop device, and bound again.
  // Read-only: a writable ext4 changes its own bytes while mounted.
  Sh("mkfs.ext4 -q -F '" + (dir / "ext4.img").string() + "' 8M");
  const std::string ext4 = BoundLoop(dir / "ext4.img");
  std::filesystem::create_directory(mounted);
  if (Sh("mount -o ro " + ext4 + " '" + mounted.string() + "'").status == 0) decoys.push_back({"a mounted ext4", ext4});
  decoys.push_back({"an ext4 image bound twice", BoundLoop(dir / "ext4.img")});

  lookAlike = RandomFile("/dev/shm/quillbarrow-ram-decoy" + std::to_string(getpid()));
  decoys.push_back({"a look-alike of hdid's file in /dev/shm", BoundLoop(lookAlike)});

  // hdid's own device, taken away behind its back and bound to another file.
  RamDisk rebound(8192, "loop");
  ASSERT_FALSE(rebound.path().empty()) << rebound.error();
  const std::string number = rebound.path();
  stale = rebound.backingFile();
  staleName = rebound.name();
  ASSERT_EQ(Sh("losetup -d " + number + " && losetup " + number + " '" + RandomFile(dir / "later.img") + "'").status,
            0);
  loops.push_back(number);
  decoys.push_back({"a device hdid made that was rebound since", number});

  if (WhyNoRamDisks("zram").empty()) {
    zram = "zram" + Trimmed(ReadFile("/sys/class/zram-control/hot_add"));
    Sh("echo 4194304 > /sys/block/" + zram + "/disksize; head -c 4194304 /dev/urandom > /dev/" + zram);
    decoys.push_back({"a zram device that others added", "/dev/" + zram});
  }

  for (const auto& [what, path] : decoys) {
    const std::string before = Fingerprint(path);
    for (const std::vector<std::string>& call : std::vector<std::vector<std::string>>{
             {"newfs_hfs", "-v", "Decoy", path}, {"hdiutil", "mountvol", path}, {"hdiutil", "detach", path}}) {
      const Ran ran = RunProgram(Tool(call[0]), {call.begin() + 1, call.end()});
      EXPECT_EQ(ran.status, 1) << call[0] << " " << call[1] << " on " << what << ": " << ran.err;
      EXPECT_EQ(ran.err, call[0] + ": " + path + " is not a RAM disk made by hdid\n") << what;
      EXPECT_EQ(ran.out, "") << what;
    }
    EXPECT_EQ(Fingerprint(path), before) << what << " changed";
  }
  if (decoys[3].first == "a mounted ext4") {
    EXPECT_EQ(Sh("mountpoint -q '" + mounted.string() + "'").status, 0) << "the ext4 stays mounted";
  }
  EXPECT_FALSE(std::filesystem::exists("/media/Decoy"));
}

}  // namespace
