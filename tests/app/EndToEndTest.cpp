// The real program on an X server of its own, driven as a user would: type a
// size and a name, press Return, open the About window and quit from it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FakeTools.h"
#include "TempDir.h"
#include "XSession.h"

namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& condition, double seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  for (; Clock::now() < end; std::this_thread::sleep_for(std::chrono::milliseconds(50)))
    if (condition()) return true;
  return false;
}

// The exit status, or -1 when the process had not ended in time (it is
// killed then).
int WaitForExit(pid_t pid, double seconds) {
  int status = 0;
  if (WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds))
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

TEST(EndToEnd, ADiskIsMadeByReturnAndQuittingFromTheAboutWindowSavesTheSettings) {
  if (!ProgramsExist({"Xvfb", "xdotool"})) GTEST_SKIP() << "needs Xvfb and xdotool (Debian packages xvfb, xdotool)";
  const char* build = std::getenv("QB_BUILD_DIR");
  ASSERT_NE(build, nullptr);
  const std::string program = std::string(build) + "/Quillbarrow/bin/quillbarrow";
  ASSERT_EQ(access(program.c_str(), X_OK), 0) << program;

  TempDir dir;
  FakeTools tools;
  XSession x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start";
  const int log = open((dir / "program.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const pid_t pid = Spawn({program},
                          EnvironmentWith({"DISPLAY=" + x.Display(), "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb",
                                           "XDG_CONFIG_HOME=" + (dir / "config").string()}),
                          log, log);
  close(log);
  ASSERT_GT(pid, 0);

  const unsigned long window = x.WaitForWindow("Tamberlow (Brisquel)", 30);
  if (window == 0) WaitForExit(pid, 0);
  ASSERT_NE(window, 0u) << ReadFile(dir / "program.log");
  const std::string id = std::to_string(window);
  ASSERT_TRUE(x.Xdotool({"windowfocus", "--sync", id}));

  // The name field has the focus first; the size field comes after the button.
  EXPECT_TRUE(x.Xdotool({"key", "--clearmodifiers", "ctrl+a"}));
  EXPECT_TRUE(x.Xdotool({"type", "--delay", "20", "Ende zu Ende"}));
  EXPECT_TRUE(x.Xdotool({"key", "Tab", "Tab", "ctrl+a"}));
  EXPECT_TRUE(x.Xdotool({"type", "--delay", "20", "7"}));
  EXPECT_TRUE(x.Xdotool({"key", "Return"}));

  ASSERT_TRUE(WaitFor([&] { return tools.Calls().size() >= 3; }, 20)) << ReadFile(dir / "program.log");
  const auto calls = tools.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (std::vector<std::string>{"hdid", "-nomount", "ram://14336"}));
  EXPECT_EQ(calls[1], (std::vector<std::string>{"newfs_hfs", "-v", "Ende zu Ende", "/dev/fake0"}));
  EXPECT_EQ(calls[2], (std::vector<std::string>{"hdiutil", "mountvol", "/dev/fake0"}));

  // The About item by the File menu's mnemonic; the About window, untitled,
  // shows the program's name; the menu's Ctrl+Q quits from there.
  EXPECT_TRUE(x.Xdotool({"key", "alt+a"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the menu grabs the keyboard when it opens
  EXPECT_TRUE(x.Xdotool({"key", "Return"}));
  const unsigned long about = x.WaitForWindow("Quillbarrow", 20);
  ASSERT_NE(about, 0u) << ReadFile(dir / "program.log");
  std::string title;
  EXPECT_TRUE(x.Xdotool({"getwindowname", std::to_string(about)}, &title));
  EXPECT_EQ(title, "Quillbarrow\n") << "searches ignore case";
  ASSERT_TRUE(x.Xdotool({"windowfocus", "--sync", std::to_string(about)}));
  EXPECT_TRUE(x.Xdotool({"key", "ctrl+q"}));
  EXPECT_EQ(WaitForExit(pid, 20), 0) << ReadFile(dir / "program.log");
  EXPECT_EQ(ReadFile(dir / "config" / "Quillbarrow.pref"),
            "Version: qzSettings01\n[APPLICATION SETTINGS]\nRamDiskSize: 7\nRamDiskName: Ende zu Ende\n");
  EXPECT_EQ(tools.Calls().size(), 3u) << "quitting detaches no disk";
}

}  // namespace
