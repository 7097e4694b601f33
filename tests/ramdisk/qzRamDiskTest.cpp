#include <gtest/gtest.h>

#include <csignal>

#include "FakeTools.h"
#include "MessageRecorder.h"
#include "Shell.h"
#include "qzRamDisk.h"

namespace {

using Args = std::vector<std::string>;

class RamDiskTest : public ::testing::Test {
protected:
  FakeTools tools;
  MessageRecorder messages;
};

TEST_F(RamDiskTest, SizesAttachWholeBlocksOfAtLeastOneMebibyte) {
  const std::pair<uint32_t, std::string> rows[] = {
      {0, "2048"}, {1048575, "2048"}, {1048577, "2048"}, {1048576 + 256, "2049"}, {4294967295u, "8388608"}};
  for (const auto& [bytes, blocks] : rows) {
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(bytes, "RamDisk")) << bytes;
    EXPECT_EQ(tools.Calls().at(0), (Args{"hdid", "-nomount", "ram://" + blocks})) << bytes;
  }
}

// Only a runner sees the command lines themselves; it is put back at the end.
struct Runner {
  explicit Runner(ShellRunner runner) { SetShellRunner(std::move(runner)); }
  ~Runner() { SetShellRunner(nullptr); }
};

TEST_F(RamDiskTest, CommandLinesQuoteTheNameAndTheDevicePathAsOneWordEach) {
  Args commands;
  const Runner runner([&](const std::string& command, int32_t& code, std::string& result) {
    commands.push_back(command);
    code = 0;
    result = commands.size() == 1 ? " /dev/it's\n" : "/dev/it's\tApple_HFS\t /Volumes/Bob's \n";
  });
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(52428800, "Bob's"));
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Bob's");
  ASSERT_TRUE(disk.UnMount());
  EXPECT_EQ(commands, (Args{"hdid -nomount ram://102400", "newfs_hfs -v 'Bob'\\''s' '/dev/it'\\''s'",
                            "hdiutil mountvol '/dev/it'\\''s' | grep dev", "hdiutil detach '/dev/it'\\''s'"}));
}

TEST_F(RamDiskTest, NegativeExitCodesKeepTheirMinusSign) {
  // A shell reports only 0 to 255; another runner may give any code.
  int calls = 0;
  const Runner runner([&](const std::string&, int32_t& code, std::string& result) {
    code = calls++ == 0 ? 0 : -2147483647 - 1;
    result = "/dev/disk9\n";
  });
  qzRamDisk disk;
  EXPECT_FALSE(disk.Create(1048576, "RamDisk"));
  EXPECT_EQ(messages.texts, Args{"Can't initialize ramdisk with hfs plus. Error code -2147483648"});
}

TEST_F(RamDiskTest, EachFailingStepShowsItsMessageAndStopsThere) {
  struct Case {
    std::string tool, subcommand, output;
    int status, signal;
    size_t calls;
    std::string message;
  };
  const Case cases[] = {
      {"hdid", "", "", 1, 0, 1, "Can't create ramdisk device. Error code 1"},
      {"newfs_hfs", "", "", 255, 0, 2, "Can't initialize ramdisk with hfs plus. Error code 255"},
      {"newfs_hfs", "", "", 0, SIGKILL, 2, "Can't initialize ramdisk with hfs plus. Error code 137"},
      // The status is grep's: a failed mount, or a mount that printed no device line.
      {"hdiutil", "mountvol", "", 16, 0, 3, "Can't mount ramdisk. Error code 1"},
      {"hdiutil", "mountvol", "mounted at /Volumes/X\n", 0, 0, 3, "Can't mount ramdisk. Error code 1"},
  };
  for (const auto& c : cases) {
    FakeTools fresh;
    fresh.Answer(c.tool, c.output, c.status, c.subcommand);
    if (c.signal) fresh.KillWith(c.tool, c.signal);
    MessageRecorder shown;
    qzRamDisk disk;
    EXPECT_FALSE(disk.Create(1048576, "RamDisk")) << c.message;
    EXPECT_EQ(fresh.Calls().size(), c.calls) << c.message;
    EXPECT_EQ(disk.GetMountPath(), "");
    // A failed Create leaves the object unmounted: UnMount refuses and runs nothing.
    EXPECT_FALSE(disk.UnMount());
    EXPECT_EQ(fresh.Calls().size(), c.calls) << c.message;
    EXPECT_EQ(shown.texts, Args{c.message});
  }
}

TEST_F(RamDiskTest, OnlyAMountedDiskIsDetachedAndOnlyAnUnmountedOneCreated) {
  qzRamDisk disk;
  EXPECT_FALSE(disk.UnMount());
  ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
  EXPECT_FALSE(disk.Create(1048576, "Other"));
  tools.Answer("hdiutil", "", 16, "detach");
  EXPECT_FALSE(disk.UnMount());
  EXPECT_FALSE(disk.Create(1048576, "Other")) << "a failed detach leaves the disk mounted";
  tools.Answer("hdiutil", "", 0, "detach");
  EXPECT_TRUE(disk.UnMount());
  EXPECT_FALSE(disk.UnMount());
  tools.Answer("hdid", "/dev/fake1\n", 0);
  EXPECT_TRUE(disk.Create(2097152, "Second"));
  const auto calls = tools.Calls();
  EXPECT_EQ(calls.size(), 8u) << "the refused calls ran nothing";
  EXPECT_EQ(calls[4], (Args{"hdiutil", "detach", "/dev/fake0"}));
  EXPECT_EQ(calls[5], (Args{"hdid", "-nomount", "ram://4096"}));
  EXPECT_EQ(messages.texts, Args{"Can't unmount ramdisk. Error code 16"});
}

// The names and device path go through the real shell: none is split, changed or run.
TEST_F(RamDiskTest, HostileNamesAndDevicePathsArriveUnchangedAsOneArgument) {
  struct InFolder {
    TempDir work;
    const std::filesystem::path old = std::filesystem::current_path();
    InFolder() { std::filesystem::current_path(work.path()); }
    ~InFolder() { std::filesystem::current_path(old); }
  } folder;
  const std::string names[] = {"",          "  two  words ", "it's",          "'; touch CANARY; '", "\"$HOME\"",
                               "$(touch CANARY)", "`touch CANARY`", "; touch CANARY", "a | touch CANARY &",
                               "line\ntouch CANARY", "-v",      "*",                  "back\\slash ümläüte ☃"};
  for (const auto& name : names) {
    const std::string device = "/dev/" + name + "0";
    tools.Answer("hdid", device + "\n", 0);
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(1048576, name)) << name;
    ASSERT_TRUE(disk.UnMount()) << name;
    EXPECT_EQ(tools.Calls(), (std::vector<Args>{{"hdid", "-nomount", "ram://2048"}, {"newfs_hfs", "-v", name, device},
                                                 {"hdiutil", "mountvol", device}, {"hdiutil", "detach", device}}))
        << name;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.work / "CANARY"));
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
