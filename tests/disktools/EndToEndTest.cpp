// qzRamDisk::Create with our real disk tools, found in PATH as the program
// finds them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "Machine.h"
#include "MessageRecorder.h"
#include "RamDisk.h"
#include "Readers.h"
#include "TempDir.h"
#include "Tools.h"
#include "qzRamDisk.h"

namespace {

// Puts the bundle's tools first in PATH, behind an hdid that notes each
// device it makes, so that the test can free what Create leaves attached.
class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = WhyNoRamDisks(""); !why.empty()) GTEST_SKIP() << why;
    const auto hdid = wrappers / "hdid";
    WriteFile(hdid, "#!/bin/sh\nout=$('" + Tool("hdid") + "' \"$@\")\nstatus=$?\nprintf '%s\\n' \"$out\" >> '" +
                        (wrappers / "devices").string() + "'\nprintf '%s\\n' \"$out\"\nexit $status\n");
    std::filesystem::permissions(hdid, std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath = path ? path : "/usr/bin:/bin";
    setenv("PATH", (wrappers.path().string() + ":" + BundleBin() + ":" + oldPath).c_str(), 1);
  }
  // Each device hdid made so far, to be detached when the test ends.
  std::vector<RamDisk> Adopted() {
    std::vector<RamDisk> disks;
    std::istringstream lines(ReadFile(wrappers / "devices"));
    for (std::string device; std::getline(lines, device);)
      if (!device.empty()) disks.push_back(RamDisk::Adopt(device));
    WriteFile(wrappers / "devices", "");
    return disks;
  }
  void TearDown() override {
    if (!oldPath.empty()) setenv("PATH", oldPath.c_str(), 1);
  }

  TempDir wrappers;
  std::string oldPath;
  MessageRecorder messages;
  std::string name = "QB EndToEnd " + std::to_string(getpid());
};

TEST_F(EndToEndTest, CreateAttachesAndFormatsAndMountsWhereTheKernelCan) {
  qzRamDisk disk;
  const bool created = disk.Create(52428800, name);
  auto devices = Adopted();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].Bytes(), 52428800u);
  EXPECT_EQ(FshfsinfoName(devices[0].path()), name);

  if (!KernelHasHfsPlus()) {
    EXPECT_FALSE(created);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Can't mount ramdisk. Error code 1"});
    EXPECT_EQ(disk.GetMountPath(), "");
    return;
  }
  ASSERT_TRUE(created) << (messages.texts.empty() ? "" : messages.texts[0]);
  EXPECT_EQ(disk.GetMountPath(), "/media/" + name);
  WriteFile(disk.GetMountPath() + "/hello.txt", "hello\n");
  EXPECT_EQ(ReadFile(disk.GetMountPath() + "/hello.txt"), "hello\n");
  EXPECT_TRUE(disk.UnMount());
  EXPECT_TRUE(devices[0].Freed());
  EXPECT_FALSE(std::filesystem::exists("/media/" + name));
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EndToEndTest, ANameThatCantBeStoredFailsTheInitializeStep) {
  qzRamDisk disk;
  EXPECT_FALSE(disk.Create(1048576, std::string(256, 'n')));
  EXPECT_EQ(messages.texts, std::vector<std::string>{"Can't initialize ramdisk with hfs plus. Error code 1"});
  const auto devices = Adopted();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_FALSE(devices[0].Freed()) << "the attached device stays attached, as the program leaves it";
}

TEST_F(EndToEndTest, AFailingAttachIsReportedWithHdidsStatus) {
  setenv("HDID_BACKEND", "none", 1);
  qzRamDisk disk;
  const bool created = disk.Create(1048576, name);
  unsetenv("HDID_BACKEND");
  EXPECT_FALSE(created);
  EXPECT_EQ(messages.texts, std::vector<std::string>{"Can't create ramdisk device. Error code 2"});
  EXPECT_TRUE(Adopted().empty()) << "hdid made nothing";
}

}  // namespace
