// A user who is not root gets a RAM disk through polkit: each tool runs
// itself again through a real pkexec, which a real polkitd allows or refuses.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "PolkitUsers.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

class PolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = PolkitUsers::WhyNot(); !why.empty()) GTEST_SKIP() << why;
    users.emplace();
    ASSERT_TRUE(users->Ready()) << "polkitd does not answer";
  }
  Ran As(int user, const std::string& tool, const std::vector<std::string>& args) {
    return RunProgram(Tool(tool), args, {.user = users->name[user]});
  }
  // Whether hdid recorded any disk for user.
  bool HasDisks(int user) {
    return Sh("grep -qx 'uid " + std::to_string(users->Uid(user)) + "' /run/quillbarrow/*").status == 0;
  }

  std::optional<PolkitUsers> users;
};

// The tools' actions as an installed copy has them, for the bundle's tools,
// while the object lives; polkitd reads them from its own folder only.
struct BundleActions {
  BundleActions() : written(!std::filesystem::exists(kFile) && std::filesystem::copy_file(QB_BUNDLE_POLICY, kFile)) {}
  ~BundleActions() {
    if (written) std::filesystem::remove(kFile);
  }
  BundleActions(const BundleActions&) = delete;

  static constexpr const char* kFile = "/usr/share/polkit-1/actions/org.quillbarrow.disktools.policy";
  const bool written;  // false where Quillbarrow is installed on this machine
};

// Outside an active session, each step asks for an administrator's
// password; with no agent to ask, pkexec gives up, and the tool says why.
TEST_F(PolkitTest, WithoutAuthorisationEachToolFailsWithPkexecsStatusAndMakesNothing) {
  const BundleActions actions;
  if (actions.written) {
    const std::string expected =
        "  implicit any:      auth_admin\n  implicit inactive: auth_admin\n  implicit active:   yes\n";
    std::string verbose;
    for (int tries = 0; tries < 100 && verbose.find(expected) == std::string::npos; ++tries, usleep(100000))
      verbose = Sh("pkaction --verbose --action-id org.quillbarrow.hdid").out;
    EXPECT_NE(verbose.find(expected), std::string::npos) << verbose;
  }
  const std::vector<std::vector<std::string>> calls = {
      {"hdid", "-nomount", "ram://2048"}, {"newfs_hfs", "-v", "Name", "/dev/null"}, {"hdiutil", "detach", "/dev/null"}};
  for (const auto& call : calls) {
    const Ran ran = As(0, call[0], {call.begin() + 1, call.end()});
    EXPECT_EQ(ran.status, 127) << call[0] << ": " << ran.err;
    EXPECT_NE(ran.err.find(call[0] + ": nothing done: polkit did not allow this user to "), std::string::npos)
        << ran.err;
    EXPECT_NE(ran.err.find(" (not authorised, a wrong password, or no authentication agent to ask for one)\n"),
              std::string::npos)
        << ran.err;
    EXPECT_EQ(ran.out, "") << call[0];
  }
  EXPECT_FALSE(HasDisks(0));
}

TEST_F(PolkitTest, AnAuthorisedUserMakesFormatsAndFreesTheirOwnDisksOnly) {
  ASSERT_TRUE(users->Allow(BundleBin())) << "polkitd did not take the rule";
  const Ran made = As(0, "hdid", {"-nomount", "ram://20480"});
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string disk = Trimmed(made.out);
  const Ran formatted = As(0, "newfs_hfs", {"-v", "Polkit Disk", disk});
  EXPECT_EQ(formatted.status, 0) << formatted.err;
  EXPECT_EQ(FshfsinfoName(disk), "Polkit Disk");

  for (const auto& call : std::vector<std::vector<std::string>>{
           {"newfs_hfs", "-v", "Taken", disk}, {"hdiutil", "mountvol", disk}, {"hdiutil", "detach", disk}}) {
    const Ran ran = As(1, call[0], {call.begin() + 1, call.end()});
    EXPECT_EQ(ran.status, 1) << call[0];
    EXPECT_EQ(ran.err, call[0] + ": " + disk + " is a RAM disk made for another user\n");
  }
  EXPECT_EQ(FshfsinfoName(disk), "Polkit Disk") << "the other user changed nothing";

  const Ran mounted = As(0, "hdiutil", {"mountvol", disk});
  if (!KernelHasHfsPlus()) {
    EXPECT_EQ(mounted.status, 1);
    EXPECT_NE(mounted.err.find("this kernel has no HFS+ support"), std::string::npos) << mounted.err;
  }
  const Ran detached = As(0, "hdiutil", {"detach", disk});
  EXPECT_EQ(detached.status, 0) << detached.err;

  // Root may free any disk that hdid made, whoever it was for.
  const Ran second = As(0, "hdid", {"-nomount", "ram://2048"});
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(RunProgram(Tool("hdiutil"), {"detach", Trimmed(second.out)}).status, 0);
  EXPECT_FALSE(HasDisks(0));
}

}  // namespace
