// The real program as a user runs it, on an X server of its own: type, press Return, quit from the About window.

#include <gtest/gtest.h>

#include "BuildDir.h"
#include "FakeTools.h"
#include "TempDir.h"
#include "XSession.h"

namespace {

std::string Program() {
  return BundleBin() + "/quillbarrow";
}

TEST(EndToEnd, ADiskIsMadeByReturnAndQuittingFromTheAboutWindowSavesTheSettings) {
  if (!Sh("which Xvfb xdotool >/dev/null")) GTEST_SKIP() << "needs Xvfb and xdotool (Debian packages xvfb, xdotool)";
  TempDir dir;
  FakeTools tools;
  XSession x;
  ASSERT_TRUE(!x.display.empty()) << "Xvfb did not start";
  const pid_t pid = Spawn({"env", "DISPLAY=" + x.display, "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb",
                           "XDG_CONFIG_HOME=" + (dir / "config").string(), Program()});
  ASSERT_GT(pid, 0);
  const std::string window = x.WaitForWindow("^Tamberlow \\(Brisquel\\)$", 30);
  if (window.empty()) WaitForExit(pid, 0);
  ASSERT_FALSE(window.empty());

  // The name field has the focus first; the size field comes after the button.
  EXPECT_TRUE(
      x.Xdotool("windowfocus --sync " + window + " key --clearmodifiers ctrl+a type --delay 20 'Ende zu Ende'"));
  EXPECT_TRUE(x.Xdotool("key Tab Tab ctrl+a type --delay 20 7"));
  EXPECT_TRUE(x.Xdotool("key Return"));
  ASSERT_TRUE(WaitFor([&] { return tools.Calls().size() >= 3; }, 20));
  EXPECT_EQ(tools.Calls(), (std::vector<std::vector<std::string>>{{"hdid", "-nomount", "ram://14336"},
                                                                  {"newfs_hfs", "-v", "Ende zu Ende", "/dev/fake0"},
                                                                  {"hdiutil", "mountvol", "/dev/fake0"}}));

  // The About item by the File menu's mnemonic (its menu grabs the keyboard once open);
  // the About window, untitled, shows the program's name; Ctrl+Q quits from there.
  EXPECT_TRUE(x.Xdotool("key alt+a sleep 0.3 key Return"));
  const std::string about = x.WaitForWindow("^Quillbarrow$", 20);
  ASSERT_FALSE(about.empty());
  std::string title;
  EXPECT_TRUE(x.Xdotool("getwindowname " + about, &title));
  EXPECT_EQ(title, "Quillbarrow\n") << "searches ignore case";
  EXPECT_TRUE(x.Xdotool("windowfocus --sync " + about + " key ctrl+q"));
  EXPECT_EQ(WaitForExit(pid, 20), 0);
  EXPECT_EQ(ReadFile(dir / "config" / "Quillbarrow.pref"),
            "Version: qzSettings01\n[APPLICATION SETTINGS]\nRamDiskSize: 7\nRamDiskName: Ende zu Ende\n");
}

// Obeyed, the toolkit's own option would end the program at once: there is no such platform.
TEST(EndToEnd, NoCommandLineArgumentChangesWhatTheProgramDoes) {
  TempDir dir;
  const pid_t pid = Spawn({"env", "QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + dir.path().string(), Program(),
                           "-platform", "none", "-reverse"});
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitForExit(pid, 1.5), -1) << "the program ended";
}

}  // namespace
