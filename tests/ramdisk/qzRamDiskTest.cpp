#include <gtest/gtest.h>

#include <csignal>
#include <random>

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

TEST_F(RamDiskTest, SizesAtTheEdgesAttachExactBlockCounts) {
  const std::pair<uint32_t, std::string> rows[] = {
      {0, "2048"},          {1, "2048"},          {1048575, "2048"},           {1048576, "2048"},
      {1048577, "2048"},    {52428800, "102400"}, {4293918720u, "8386560"},    {4294967295u, "8388608"},
      {1048576 + 256, "2049"}};
  for (const auto& [bytes, blocks] : rows) {
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(bytes, "RamDisk")) << bytes;
    const auto calls = tools.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], (Args{"hdid", "-nomount", "ram://" + blocks})) << bytes;
  }
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RamDiskTest, SuccessfulCreateRunsTheThreeStepsInOrder) {
  tools.Answer("hdid", "  /dev/ram3 \n\n", 0);
  tools.Answer("hdiutil", "/dev/ram3\tApple_HFS\t /Volumes/My Disk \n", 0, "mountvol");
  qzRamDisk disk;
  EXPECT_EQ(disk.GetMountPath(), "");
  ASSERT_TRUE(disk.Create(52428800, "My Disk"));
  const auto calls = tools.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (Args{"hdid", "-nomount", "ram://102400"}));
  EXPECT_EQ(calls[1], (Args{"newfs_hfs", "-v", "My Disk", "/dev/ram3"}));
  EXPECT_EQ(calls[2], (Args{"hdiutil", "mountvol", "/dev/ram3"}));
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/My Disk");
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RamDiskTest, EachFailingStepShowsItsMessageAndStopsThere) {
  struct Case {
    std::string tool, subcommand;
    int status;
    size_t calls;
    std::string message;
  };
  const Case cases[] = {
      {"hdid", "", 1, 1, "Can't create ramdisk device. Error code 1"},
      {"newfs_hfs", "", 255, 2, "Can't initialize ramdisk with hfs plus. Error code 255"},
      {"hdiutil", "mountvol", 16, 3, "Can't mount ramdisk. Error code 1"},  // grep's status, not hdiutil's
  };
  for (const auto& c : cases) {
    FakeTools fresh;
    fresh.Answer(c.tool, "", c.status, c.subcommand);
    MessageRecorder shown;
    qzRamDisk disk;
    EXPECT_FALSE(disk.Create(1048576, "RamDisk")) << c.tool;
    EXPECT_EQ(fresh.Calls().size(), c.calls) << c.tool;
    EXPECT_EQ(shown.texts, Args{c.message}) << c.tool;
    // A failed Create leaves the object unmounted: UnMount refuses and runs nothing.
    fresh.ClearCalls();
    EXPECT_FALSE(disk.UnMount());
    EXPECT_TRUE(fresh.Calls().empty());
    EXPECT_EQ(shown.texts.size(), 1u);
  }
}

TEST_F(RamDiskTest, AToolKilledByASignalIsAFailure) {
  tools.KillWith("newfs_hfs", SIGKILL);
  qzRamDisk disk;
  EXPECT_FALSE(disk.Create(1048576, "RamDisk"));
  EXPECT_EQ(messages.texts, Args{"Can't initialize ramdisk with hfs plus. Error code 137"});
}

TEST_F(RamDiskTest, NegativeExitCodesKeepTheirMinusSign) {
  // A shell reports only 0 to 255, so a negative code can come only from
  // another runner; the message must still print it whole.
  std::vector<std::string> commands;
  SetShellRunner([&](const std::string& command, int32_t& code, std::string& result) {
    commands.push_back(command);
    code = commands.size() == 1 ? 0 : -2147483647 - 1;
    result = "/dev/disk9\n";
  });
  qzRamDisk disk;
  EXPECT_FALSE(disk.Create(1048576, "RamDisk"));
  SetShellRunner(nullptr);
  EXPECT_EQ(commands, (Args{"hdid -nomount ram://2048", "newfs_hfs -v 'RamDisk' '/dev/disk9'"}));
  EXPECT_EQ(messages.texts, Args{"Can't initialize ramdisk with hfs plus. Error code -2147483648"});
}

TEST_F(RamDiskTest, MountOutputWithoutDevFailsEvenWhenTheToolSucceeded) {
  tools.Answer("hdiutil", "mounted at /Volumes/X\n", 0, "mountvol");
  qzRamDisk disk;
  EXPECT_FALSE(disk.Create(1048576, "X"));
  EXPECT_EQ(messages.texts, Args{"Can't mount ramdisk. Error code 1"});
  EXPECT_EQ(disk.GetMountPath(), "");
}

TEST_F(RamDiskTest, MountPathIsTheTrimmedThirdTabField) {
  const std::pair<std::string, std::string> outputs[] = {
      {"/dev/fake0\tApple_HFS\n", ""},
      {"/dev/fake0\n", ""},
      {"/dev/fake0\tApple HFS\t/Volumes/Two Words\n", "/Volumes/Two Words"},
      {"/dev/fake0\tApple_HFS\t/Volumes/A\textra\n", "/Volumes/A"},
      // The whole output is split, not line by line: a first line with three
      // fields of its own would win, and here the third field spans the break.
      {"/dev/fake0s1\tGUID\t\n/dev/fake0s2\tApple_HFS\t/Volumes/B\n", "/dev/fake0s2"},
  };
  for (const auto& [output, path] : outputs) {
    tools.Answer("hdiutil", output, 0, "mountvol");
    qzRamDisk disk;
    EXPECT_TRUE(disk.Create(1048576, "RamDisk")) << output;
    EXPECT_EQ(disk.GetMountPath(), path) << output;
  }
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RamDiskTest, EmptyAttachOutputGivesAnEmptyDevicePath) {
  tools.Answer("hdid", "", 0);
  qzRamDisk disk;
  EXPECT_TRUE(disk.Create(1048576, "RamDisk"));
  const auto calls = tools.Calls();
  EXPECT_EQ(calls[1], (Args{"newfs_hfs", "-v", "RamDisk", ""}));
  EXPECT_EQ(calls[2], (Args{"hdiutil", "mountvol", ""}));
}

TEST_F(RamDiskTest, CreateOnAMountedDiskDoesNothing) {
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
  tools.ClearCalls();
  tools.Answer("hdid", "/dev/other\n", 0);
  EXPECT_FALSE(disk.Create(52428800, "Other"));
  EXPECT_TRUE(tools.Calls().empty());
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Fake");
}

TEST_F(RamDiskTest, UnMountOnANewDiskDoesNothing) {
  qzRamDisk disk;
  EXPECT_FALSE(disk.UnMount());
  EXPECT_TRUE(tools.Calls().empty());
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RamDiskTest, UnMountDetachesAndCreateAgainAttachesANewDevice) {
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
  tools.ClearCalls();
  ASSERT_TRUE(disk.UnMount());
  EXPECT_EQ(tools.Calls(), (std::vector<Args>{{"hdiutil", "detach", "/dev/fake0"}}));
  // The old mount path stays until the next Create reaches its end.
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Fake");
  EXPECT_FALSE(disk.UnMount());

  tools.ClearCalls();
  tools.Answer("hdid", "/dev/fake1\n", 0);
  tools.Answer("hdiutil", "", 1, "mountvol");
  EXPECT_FALSE(disk.Create(2097152, "Second"));
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Fake");
  tools.Answer("hdiutil", "/dev/fake1\tApple_HFS\t/Volumes/Second\n", 0, "mountvol");
  tools.ClearCalls();
  ASSERT_TRUE(disk.Create(2097152, "Second"));
  EXPECT_EQ(tools.Calls()[0], (Args{"hdid", "-nomount", "ram://4096"}));
  EXPECT_EQ(disk.GetMountPath(), "/Volumes/Second");
  tools.ClearCalls();
  ASSERT_TRUE(disk.UnMount());
  EXPECT_EQ(tools.Calls(), (std::vector<Args>{{"hdiutil", "detach", "/dev/fake1"}}));
}

TEST_F(RamDiskTest, FailedDetachKeepsTheDiskMounted) {
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
  tools.Answer("hdiutil", "", 16, "detach");
  EXPECT_FALSE(disk.UnMount());
  EXPECT_EQ(messages.texts, Args{"Can't unmount ramdisk. Error code 16"});
  // Still mounted: another Create refuses, another UnMount tries again.
  tools.ClearCalls();
  EXPECT_FALSE(disk.Create(1048576, "RamDisk"));
  EXPECT_TRUE(tools.Calls().empty());
  tools.Answer("hdiutil", "", 0, "detach");
  EXPECT_TRUE(disk.UnMount());
}

TEST_F(RamDiskTest, ReleasingAMountedDiskRunsNothing) {
  {
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
    tools.ClearCalls();
  }
  EXPECT_TRUE(tools.Calls().empty());
}

const std::vector<std::string> kHostileNames = {
    "",
    " ",
    "two words",
    "  leading and trailing  ",
    "it's",
    "'",
    "''",
    "\"double\"",
    "$HOME",
    "${PATH}",
    "$(touch CANARY)",
    "`touch CANARY`",
    "; touch CANARY",
    "a && touch CANARY",
    "a | touch CANARY",
    "a > CANARY",
    "line\ntouch CANARY",
    "carriage\rreturn",
    "tab\there",
    "-v",
    "--help",
    "-rf /",
    "*",
    "?[a-z]",
    "~root",
    "back\\slash",
    "'; touch CANARY; '",
    "\"; touch CANARY; \"",
    "Ümläüte ß ☃",
    "#comment",
    "!bang",
    "{a,b}",
};

TEST_F(RamDiskTest, HostileVolumeNamesArriveUnchangedAsOneArgument) {
  TempDir work;
  const auto oldDir = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  for (const auto& name : kHostileNames) {
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(1048576, name)) << name;
    const auto calls = tools.Calls();
    ASSERT_EQ(calls.size(), 3u) << name;
    EXPECT_EQ(calls[1], (Args{"newfs_hfs", "-v", name, "/dev/fake0"})) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(work / "CANARY"));
  std::filesystem::current_path(oldDir);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RamDiskTest, RandomNamesArriveUnchanged) {
  TempDir work;
  const auto oldDir = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  std::mt19937 random(20261206);
  const std::string alphabet = " '\"$`;|&<>(){}[]*?~!#\\\n\t-=+aZ9_/.:%^@";
  for (int run = 0; run < 1000; ++run) {
    std::string name;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) {
      if (random() % 8 == 0) {
        name += "touch CANARY";
      } else {
        name += alphabet[random() % alphabet.size()];
      }
    }
    tools.ClearCalls();
    qzRamDisk disk;
    ASSERT_TRUE(disk.Create(1048576, name)) << name;
    ASSERT_EQ(tools.Calls()[1], (Args{"newfs_hfs", "-v", name, "/dev/fake0"})) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(work / "CANARY"));
  std::filesystem::current_path(oldDir);
}

TEST_F(RamDiskTest, HostileDevicePathReachesEveryToolAsOneWord) {
  TempDir work;
  const auto oldDir = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  const std::string device = "/dev/x'; touch CANARY; echo '$(touch CANARY) `touch CANARY` | dev";
  tools.Answer("hdid", device + "\n", 0);
  qzRamDisk disk;
  ASSERT_TRUE(disk.Create(1048576, "RamDisk"));
  const auto calls = tools.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1], (Args{"newfs_hfs", "-v", "RamDisk", device}));
  EXPECT_EQ(calls[2], (Args{"hdiutil", "mountvol", device}));
  tools.ClearCalls();
  ASSERT_TRUE(disk.UnMount());
  EXPECT_EQ(tools.Calls(), (std::vector<Args>{{"hdiutil", "detach", device}}));
  EXPECT_FALSE(std::filesystem::exists(work / "CANARY"));
  std::filesystem::current_path(oldDir);
}

}  // namespace
