// What hdid did not make is refused by newfs_hfs and hdiutil, and no byte,
// binding or size of it changes: others' loop and zram devices, a plain
// file, a FIFO, a character device, a link, a device of hdid's rebound since.
// Nor is a file that is not hdid's device opened, for opening some files
// acts: a watchdog starts, a FIFO's writer wakes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

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

// Whether anything opened the file path leads to since the watch began.
class OpenWatch {
 public:
  explicit OpenWatch(const std::string& path) { inotify_add_watch(fd_, path.c_str(), IN_OPEN); }
  ~OpenWatch() { close(fd_); }
  OpenWatch(const OpenWatch&) = delete;
  bool Opened() const {
    char events[4096];
    return read(fd_, events, sizeof events) > 0;
  }

 private:
  int fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
};

class DecoyTest : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_RAM_DISKS("loop"); }
  void TearDown() override {
    Sh("umount '" + (dir / "mnt").string() + "' 2>/dev/null || true");
    for (const std::string& loop : loops) Sh("losetup -d " + loop + " 2>/dev/null || true");
    if (!zram.empty())
      Sh("echo 1 > /sys/block/" + zram + "/reset; echo " + zram.substr(4) + " > /sys/class/zram-control/hot_remove");
    // A FIFO's writer still waiting: a reader lets it go.
    if (writer.joinable()) {
      const int reader = open((dir / "fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      writer.join();
      close(reader);
    }
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
  std::string zram;
  std::thread writer;
  std::atomic<bool> written = false;
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

  // Whose open would wake a writer, or whose driver acts on an open.
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  writer = std::thread([&] { written = Sh("echo woken > '" + (dir / "fifo").string() + "'").status == 0; });
  decoys.push_back({"a FIFO with a writer waiting", (dir / "fifo").string()});
  ASSERT_EQ(mknod((dir / "null").c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);
  decoys.push_back({"a character device", (dir / "null").string()});
  // Its own node of someone's loop device: its opens are the tools' alone,
  // where the node in /dev is anyone's (udev's probes, losetup's listing).
  struct stat loop {};
  ASSERT_EQ(stat(decoys[0].second.c_str(), &loop), 0);
  ASSERT_EQ(mknod((dir / "loop").c_str(), S_IFBLK | 0600, loop.st_rdev), 0);
  decoys.push_back({"a node of someone's loop device", (dir / "loop").string()});

  // hdid's own device, taken away behind its back and bound to another file.
  RamDisk rebound(8192, "loop");
  ASSERT_FALSE(rebound.path().empty()) << rebound.error();
  const std::string number = rebound.path();
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
    const bool fifo = what.find("FIFO") != std::string::npos;
    const std::string before = fifo ? "" : Fingerprint(path);
    const std::filesystem::path node = std::filesystem::canonical(path);
    const OpenWatch watch(node);
    for (const std::vector<std::string>& call : std::vector<std::vector<std::string>>{
             {"newfs_hfs", "-v", "Decoy", path}, {"hdiutil", "mountvol", path}, {"hdiutil", "detach", path}}) {
      const Ran ran = RunProgram(Tool(call[0]), {call.begin() + 1, call.end()});
      EXPECT_EQ(ran.status, 1) << call[0] << " " << call[1] << " on " << what << ": " << ran.err;
      EXPECT_EQ(ran.err, call[0] + ": " + path + " is not a RAM disk made by hdid\n") << what;
      EXPECT_EQ(ran.out, "") << what;
    }
    // Of the test's own files: nothing else opens them.
    if (node.parent_path() == dir.path()) {
      EXPECT_FALSE(watch.Opened()) << what << " was opened";
    }
    if (!fifo) {
      EXPECT_EQ(Fingerprint(path), before) << what << " changed";
    }
  }
  EXPECT_FALSE(written) << "the FIFO's writer was woken";
  EXPECT_FALSE(std::filesystem::exists("/run/quillbarrow/" + rebound.name()))
      << "the record of a device rebound since goes when met";
  if (decoys[3].first == "a mounted ext4") {
    EXPECT_EQ(Sh("mountpoint -q '" + mounted.string() + "'").status, 0) << "the ext4 stays mounted";
  }
  EXPECT_FALSE(std::filesystem::exists("/media/Decoy"));
}

}  // namespace
