#include <gtest/gtest.h>

#include "FakeTools.h"
#include "Recorders.h"
#include "Shell.h"
#include "qzRamDisk.h"

namespace {

using Args = std::vector<std::string>;

class RamDiskTest : public ::testing::Test {
 protected:
  FakeTools tools;
  MessageRecorder messages;
};

// Only a runner sees the command lines themselves; it is put back at the end.
struct Runner {
  explicit Runner(ShellRunner runner) { SetShellRunner(std::move(runner)); }
  ~Runner() { SetShellRunner(nullptr); }
};

TEST_F(RamDiskTest, CommandLinesQuoteTheNameAndTheDevicePathAsOneWordEachAndKeepAnyExitCode) {
  Args commands;
  int32_t newfsCode = 0;
  const Runner runner([&](const std::string& command, int32_t& code, std::string& result) {
    commands.push_back(command);
    code = commands.size() % 4 == 2 ? newfsCode : 0;
    result = commands.size() % 4 == 1 ? " /dev/it's\n" : "/dev/it's\tApple_HFS\t /Volumes/Bob's \n";
  });
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(52428800, "Bob's"));
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Bob's");
  ASSERT_TRUE(disk.UnMount());
  EXPECT_EQ(commands, (Args{"hdid -nomount ram://102400", "newfs_hfs -v 'Bob'\\''s' '/dev/it'\\''s'",
                            "hdiutil mountvol '/dev/it'\\''s' | grep dev", "hdiutil detach '/dev/it'\\''s'"}));
  // A shell reports only 0 to 255; another runner may give any code.
  newfsCode = -2147483647 - 1;
  EXPECT_FALSE(disk.Create(1048576, "RamDisk"));
  EXPECT_EQ(messages.texts, Args{"Can't initialize ramdisk with hfs plus. Error code -2147483648"});
}

TEST_F(RamDiskTest, EachFailingStepShowsItsMessageAndStopsThere) {
  struct Case {
    std::string tool, subcommand, output;
    int status;
    size_t calls;
    std::string message;
  };
  const Case cases[] = {
      {"hdid", "", "", 1, 1, "Can't create ramdisk device. Error code 1"},
      {"newfs_hfs", "", "", 255, 2, "Can't initialize ramdisk with hfs plus. Error code 255"},
      // The status is grep's: a failed mount, or a mount that printed no device line.
      {"hdiutil", "mountvol", "", 16, 3, "Can't mount ramdisk. Error code 1"},
      {"hdiutil", "mountvol", "mounted at /Volumes/X\n", 0, 3, "Can't mount ramdisk. Error code 1"},
  };
  for (const auto& c : cases) {
    FakeTools fresh;
    fresh.Answer(c.tool, c.output, c.status, c.subcommand);
    MessageRecorder shown;
    qzRamDisk disk;
    EXPECT_FALSE(disk.Create(1048576, "RamDisk")) << c.message;
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

// The names and device path go through the real shell: none is split, changed
// or run. Each size in turn attaches whole 512-byte blocks, at least 1 MiB.
TEST_F(RamDiskTest, HostileNamesAndDevicePathsArriveUnchangedAndSizesAttachWholeBlocks) {
  WriteFile(tools.folder() / "canary", "#!/bin/sh\ntouch \"$0.ran\"\n");  // run only if a name is run
  std::filesystem::permissions(tools.folder() / "canary", std::filesystem::perms::owner_all);
  const std::string names[] = {
      "",         "  two  words ", "it's",         "'; canary; '", "\"$HOME\"", "$(canary)",
      "`canary`", "a | canary &",  "line\ncanary", "-v",           "*",         "back\\slash ümläüte ☃"};
  const uint32_t sizes[] = {0, 1048575, 1048577, 1048576 + 256, 4294967295u};
  const char* const blocks[] = {"ram://2048", "ram://2048", "ram://2048", "ram://2049", "ram://8388608"};
  size_t row = 0;
  for (const std::string& name : names) {
    const std::string device = "/dev/" + name + "0";
    const size_t size = row++ % std::size(sizes);
    tools.Answer("hdid", device + "\n", 0);
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(sizes[size], name)) << name;
    ASSERT_TRUE(disk.UnMount()) << name;
    EXPECT_EQ(tools.Calls(), (std::vector<Args>{{"hdid", "-nomount", blocks[size]},
                                                {"newfs_hfs", "-v", name, device},
                                                {"hdiutil", "mountvol", device},
                                                {"hdiutil", "detach", device}}))
        << name;
  }
  EXPECT_FALSE(std::filesystem::exists(tools.folder() / "canary.ran"));
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
