// `make install` with DESTDIR: the bundle in one folder, the polkit action
// for the installed tools, and a desktop entry that starts the program.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "TempDir.h"
#include "Tools.h"

namespace {

TEST(InstallTest, DestdirGetsTheBundleTheActionAndADesktopEntryThatStarts) {
  const char* build = std::getenv("QB_BUILD_DIR");
  ASSERT_NE(build, nullptr);
  TempDir root;
  const Ran installed = RunProgram("cmake", {"--install", build}, {.env = {"DESTDIR=" + root.path().string()}});
  ASSERT_EQ(installed.status, 0) << installed.err;

  const std::string entry = ReadFile(root / "usr/local/share/applications/quillbarrow.desktop");
  const std::string bin = "/usr/local/lib/quillbarrow/bin";
  EXPECT_NE(entry.find("\nExec=" + bin + "/quillbarrow\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nName=Quillbarrow\n"), std::string::npos) << entry;
  EXPECT_TRUE(std::filesystem::exists(root.path().string() + "/usr/local/lib/quillbarrow/Resources/qzWindowAbout.png"));
  const std::string policy = ReadFile(root / "usr/share/polkit-1/actions/org.quillbarrow.disktools.policy");
  for (const std::string tool : {"hdid", "newfs_hfs", "hdiutil"}) {
    EXPECT_EQ(access((root.path().string() + bin + "/" + tool).c_str(), X_OK), 0) << tool;
    EXPECT_NE(policy.find("<action id=\"org.quillbarrow." + tool + "\">"), std::string::npos) << tool;
    EXPECT_NE(policy.find("\"org.freedesktop.policykit.exec.path\">" + bin + "/" + tool + "<"), std::string::npos)
        << tool;
  }
  EXPECT_NE(policy.find("<allow_active>auth_admin_keep</allow_active>"), std::string::npos);
  // The installed program runs (and is ended by the test) until its window closes.
  TempDir config;
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    const std::string program = root.path().string() + bin + "/quillbarrow";
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::seconds(2));
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the program ended at once, status " << status;
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
}

}  // namespace
