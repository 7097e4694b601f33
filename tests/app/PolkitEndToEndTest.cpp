// The real program as a user who is not root, with the real disk tools and a real pkexec that polkit allows:
// pressing "Create disk" makes a RAM disk that belongs to that user.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "BuildDir.h"
#include "PolkitUsers.h"
#include "TempDir.h"
#include "XSession.h"

namespace {

TEST(PolkitEndToEnd, AUserWhoIsNotRootCreatesADiskThatIsTheirs) {
  if (const std::string why = PolkitUsers::WhyNot(); !why.empty()) GTEST_SKIP() << why;
  if (!Sh("which Xvfb xdotool import tesseract >/dev/null"))
    GTEST_SKIP() << "needs Xvfb, xdotool, ImageMagick's import and tesseract";
  const std::string bin = BundleBin();
  PolkitUsers users;
  ASSERT_TRUE(users.Ready() && users.Allow(bin)) << "polkitd does not answer or took no rule";
  TempDir home;
  std::filesystem::permissions(home.path(), std::filesystem::perms::all);
  // Qt makes a user without one a runtime folder in /tmp, which would outlive the user.
  const std::filesystem::path runtime = home / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  ASSERT_EQ(chown(runtime.c_str(), users.Uid(0), static_cast<gid_t>(-1)), 0);
  XSession x;
  ASSERT_TRUE(!x.display.empty()) << "Xvfb did not start";

  const pid_t pid =
      Spawn({"env", "DISPLAY=" + x.display, "QT_QPA_PLATFORM=xcb", "HOME=" + home.path().string(),
             "XDG_RUNTIME_DIR=" + runtime.string(), "XDG_CONFIG_HOME=" + home.path().string(), "setpriv",
             "--reuid=" + users.name[0], "--regid=" + users.name[0], "--init-groups", bin + "/quillbarrow"});
  ASSERT_GT(pid, 0);
  const std::string window = x.WaitForWindow("^Tamberlow \\(Brisquel\\)$", 30);
  ASSERT_FALSE(window.empty());
  EXPECT_TRUE(
      x.Xdotool("windowfocus --sync " + window + " key --clearmodifiers ctrl+a type --delay 20 'Polkit Created'"));
  EXPECT_TRUE(x.Xdotool("key Return"));

  // Where this kernel can't mount HFS+, the mount step's message: as the user reads it off the screen.
  const bool mounts = Sh("grep -q '\thfsplus$' /proc/filesystems");
  if (!mounts) {
    const std::string box = x.WaitForWindow("^Quillbarrow$", 30);
    ASSERT_FALSE(box.empty()) << "no message";
    std::string shown;
    for (int tries = 0; tries < 20 && shown.find("Error code") == std::string::npos; ++tries)
      Sh("import -display " + x.display + " -window " + box + " png:- | tesseract stdin - 2>&1", &shown);
    for (auto at = shown.find("\u2019"); at != std::string::npos; at = shown.find("\u2019")) shown.replace(at, 3, "'");
    EXPECT_NE(shown.find("Can't mount ramdisk. Error code 1"), std::string::npos) << shown;
  }
  std::string record;  // named for the device
  ASSERT_TRUE(Sh("grep -lx 'uid " + std::to_string(users.Uid(0)) + "' /run/quillbarrow/*", &record))
      << "hdid recorded no disk for the user";
  const std::string disk = "/dev/" + std::filesystem::path(record.substr(0, record.find('\n'))).filename().string();
  std::string info;
  Sh("fshfsinfo " + disk, &info);
  EXPECT_NE(info.find("\tName\t\t\t\t: Polkit Created\n"), std::string::npos) << info;
  if (mounts) {
    EXPECT_EQ(std::filesystem::status("/media/Polkit Created").permissions(), std::filesystem::perms::none);
  }
  WaitForExit(pid, 0);
  EXPECT_TRUE(Sh(bin + "/hdiutil detach " + disk + " >/dev/null 2>&1"));
}

}  // namespace
