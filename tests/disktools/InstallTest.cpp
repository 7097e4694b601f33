// Installing with DESTDIR and a prefix of its own: the bundle in one folder,
// the polkit action for the tools as installed there, and a desktop entry
// that starts the program from there.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "TempDir.h"
#include "Tools.h"

namespace {

TEST(InstallTest, DestdirGetsTheBundleTheActionAndADesktopEntryThatStarts) {
  TempDir root;
  const Ran installed = RunProgram("cmake", {"--install", std::getenv("QB_BUILD_DIR"), "--prefix", "/opt/qbtest"},
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
  EXPECT_NE(policy.find("<allow_active>auth_admin_keep</allow_active>"), std::string::npos);
  // The installed program runs until its window closes: a time limit ends it.
  TempDir config;
  EXPECT_EQ(Sh("QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + config.path().string() + " timeout 2 " +
               root.path().string() + bin + "/quillbarrow")
                .status,
            124);
}

}  // namespace
