// Installing with DESTDIR and a prefix of its own: the bundle in one folder,
// the polkit action for the tools as installed there, and a desktop entry
// that starts the program from there.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "Tools.h"

namespace {

TEST(InstallTest, DestdirGetsTheBundleTheActionAndADesktopEntryThatStarts) {
  TempDir root;
  const Ran installed = RunProgram("cmake", {"--install", BuildDir(), "--prefix", "/opt/qbtest"},
                                   {.env = {"DESTDIR=" + root.path().string()}});
  ASSERT_EQ(installed.status, 0) << installed.err;

  const std::string entry = ReadFile(root / "opt/qbtest/share/applications/quillbarrow.desktop");
  const std::string bin = "/opt/qbtest/lib/quillbarrow/bin";
  EXPECT_NE(entry.find("\nExec=" + bin + "/quillbarrow\n"), std::string::npos) << entry;
  EXPECT_TRUE(
      std::filesystem::exists(root.path().string() + "/opt/qbtest/lib/quillbarrow/Resources/qzWindowAbout.png"));
  const std::string policy = ReadFile(root / "usr/share/polkit-1/actions/org.quillbarrow.disktools.policy");
  for (const std::string tool : {"hdid", "newfs_hfs", "hdiutil"}) {
    EXPECT_EQ(access((root.path().string() + bin + "/" + tool).c_str(), X_OK), 0) << tool;
    EXPECT_NE(policy.find("<action id=\"org.quillbarrow." + tool + "\">"), std::string::npos) << tool;
    EXPECT_NE(policy.find("\"org.freedesktop.policykit.exec.path\">" + bin + "/" + tool + "<"), std::string::npos)
        << tool;
  }
  // No password at an active local session, an administrator's anywhere
  // else; no action implies another, which would override an
  // administrator's own rules for it.
  for (const std::string tool : {"hdid", "newfs_hfs", "hdiutil"}) {
    const auto begin = policy.find("<action id=\"org.quillbarrow." + tool + "\">");
    const std::string action = policy.substr(begin, policy.find("</action>", begin) - begin);
    EXPECT_NE(action.find("<allow_any>auth_admin</allow_any>"), std::string::npos) << action;
    EXPECT_NE(action.find("<allow_inactive>auth_admin</allow_inactive>"), std::string::npos) << action;
    EXPECT_NE(action.find("<allow_active>yes</allow_active>"), std::string::npos) << action;
  }
  EXPECT_EQ(policy.find("policykit.imply"), std::string::npos);
  // The installed program runs until its window closes: a time limit ends it.
  TempDir config;
  EXPECT_EQ(Sh("QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + config.path().string() + " timeout 2 " +
               root.path().string() + bin + "/quillbarrow")
                .status,
            124);
}

// make install puts stripped executables there and lists what it put;
// make uninstall takes all of it away again, and the folders it made.
TEST(InstallTest, MakeInstallStripsAndMakeUninstallLeavesNothing) {
  TempDir root;
  const auto script = [&](const std::string& name) {
    return RunProgram("bash", {QB_SOURCE_DIR "/scripts/" + name, BuildDir()},
                      {.env = {"DESTDIR=" + root.path().string()}});
  };
  const Ran installed = script("install.sh");
  ASSERT_EQ(installed.status, 0) << installed.err;
  const std::string bin = root.path().string() + "/usr/local/lib/quillbarrow/bin/";
  for (const std::string program : {"quillbarrow", "hdid", "newfs_hfs", "hdiutil"}) {
    const Ran sections = RunProgram("readelf", {"-S", "-W", bin + program});
    EXPECT_EQ(sections.status, 0) << program;
    EXPECT_EQ(sections.out.find(".debug_"), std::string::npos) << program << " carries debugging sections";
  }
  // Installed twice, as an update would: the folders made the first time
  // are still known.
  ASSERT_EQ(script("install.sh").status, 0);
  const Ran removed = script("uninstall.sh");
  EXPECT_EQ(removed.status, 0) << removed.err;
  EXPECT_TRUE(std::filesystem::is_empty(root.path())) << Sh("find " + root.path().string()).out;
  const Ran again = script("uninstall.sh");
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("Nothing to uninstall"), std::string::npos) << again.err;
}

// A user who is not root and may not use sudo is told what is missing and
// what installing it needs, before apt-get is ever run.
TEST(InstallTest, InstallDepsTellsAUserWithoutSudoRightsWhatItNeeds) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the script as another user";
  // A package manager's answer in which nothing is installed yet.
  TempDir fake;
  std::filesystem::permissions(fake.path(), std::filesystem::perms::all);
  WriteFile(fake / "dpkg-query", "#!/bin/sh\nexit 1\n");
  std::filesystem::permissions(fake / "dpkg-query", std::filesystem::perms::all);
  // A copy the user can read wherever the project lies.
  std::filesystem::copy_file(QB_SOURCE_DIR "/scripts/install-deps.sh", fake / "install-deps.sh");
  const Ran ran = RunProgram("bash", {(fake / "install-deps.sh").string()},
                             {.env = {"PATH=" + fake.path().string() + ":/usr/bin:/bin"}, .user = "nobody"});
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(ran.err.find("These packages are missing: make cmake "), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("Installing them needs root: run this as root, or as a user who may run apt-get with sudo."),
            std::string::npos)
      << ran.err;
}

}  // namespace
