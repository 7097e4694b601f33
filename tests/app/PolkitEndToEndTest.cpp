// The real program as a user who is not root, with the real disk tools and a
// real pkexec that polkit allows: pressing "Create disk" makes a RAM disk
// that belongs to that user.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "PolkitUsers.h"
#include "TempDir.h"
#include "XSession.h"

namespace {

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    for (int c; (c = fgetc(pipe)) != EOF;) text += static_cast<char>(c);
    pclose(pipe);
  }
  return text;
}

// The device of the disk hdid recorded for uid; empty when there is none.
std::string DiskOf(unsigned uid) {
  for (const auto& entry : std::filesystem::directory_iterator("/run/quillbarrow"))
    if (ReadFile(entry.path()).find("\nuid " + std::to_string(uid) + "\n") != std::string::npos)
      return "/dev/" + entry.path().filename().string();
  return {};
}

TEST(PolkitEndToEnd, AUserWhoIsNotRootCreatesADiskThatIsTheirs) {
  if (const std::string why = PolkitUsers::WhyNot(); !why.empty()) GTEST_SKIP() << why;
  if (!ProgramsExist({"Xvfb", "xdotool", "import", "tesseract"}))
    GTEST_SKIP() << "needs Xvfb, xdotool, ImageMagick's import and tesseract";
  const std::string bin = std::string(std::getenv("QB_BUILD_DIR")) + "/Quillbarrow/bin";
  PolkitUsers users;
  ASSERT_TRUE(users.Ready() && users.Allow(bin)) << "polkitd does not answer or took no rule";
  TempDir home;
  std::filesystem::permissions(home.path(), std::filesystem::perms::all);
  XSession x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start";

  const pid_t pid = Spawn({"setpriv", "--reuid=" + users.name[0], "--regid=" + users.name[0], "--init-groups",
                           bin + "/quillbarrow"},
                          EnvironmentWith({"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb", "HOME=" + home.path().string(),
                                           "XDG_CONFIG_HOME=" + home.path().string()}),
                          STDERR_FILENO, STDERR_FILENO);
  ASSERT_GT(pid, 0);
  const unsigned long window = x.WaitForWindow("Tamberlow (Brisquel)", 30);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(x.Xdotool({"windowfocus", "--sync", std::to_string(window)}));
  EXPECT_TRUE(x.Xdotool({"key", "--clearmodifiers", "ctrl+a"}));
  EXPECT_TRUE(x.Xdotool({"type", "--delay", "20", "Polkit Created"}));
  EXPECT_TRUE(x.Xdotool({"key", "Return"}));

  // Where this kernel can't mount HFS+, the mount step's message: as the
  // user reads it off the screen.
  const bool mounts = Output("grep -c '\thfsplus$' /proc/filesystems") != "0\n";
  if (!mounts) {
    std::string box;
    for (int tries = 0; tries < 300 && box.empty(); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      x.Xdotool({"search", "--onlyvisible", "--name", "^Quillbarrow$"}, &box);
    }
    ASSERT_FALSE(box.empty()) << "no message";
    box = box.substr(0, box.find('\n'));
    std::string shown;
    for (int tries = 0; tries < 20 && shown.find("Error code") == std::string::npos; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shown = Output("import -display " + x.Display() + " -window " + box + " png:- | tesseract stdin - 2>&1");
    }
    for (auto at = shown.find("\u2019"); at != std::string::npos; at = shown.find("\u2019")) shown.replace(at, 3, "'");
    EXPECT_NE(shown.find("Can't mount ramdisk. Error code 1"), std::string::npos) << shown;
  }
  const std::string disk = DiskOf(users.Uid(0));
  ASSERT_FALSE(disk.empty()) << "hdid made no disk for the user";
  EXPECT_NE(Output("fshfsinfo " + disk).find("\tName\t\t\t\t: Polkit Created\n"), std::string::npos);
  if (mounts) {
    EXPECT_EQ(std::filesystem::status("/media/Polkit Created").permissions(), std::filesystem::perms::none);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_EQ(Output(bin + "/hdiutil detach " + disk + " >/dev/null 2>&1; echo $?"), "0\n");
}

}  // namespace
