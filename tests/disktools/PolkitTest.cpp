// A user who is not root gets a RAM disk through polkit: each tool runs
// itself again through a real pkexec, which a real polkitd allows or refuses.
// These tests add users and a polkit rule to the machine, so they run only
// where that is wanted.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "Readers.h"
#include "TempDir.h"
#include "Tools.h"

namespace {

class PolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* wanted = std::getenv("QB_SYSTEM_TESTS");
    if (!std::getenv("CI") && !(wanted && std::string(wanted) == "1"))
      GTEST_SKIP() << "adds users and a polkit rule to this machine: runs when CI is set or QB_SYSTEM_TESTS=1";
    if (geteuid() != 0) GTEST_SKIP() << "needs root to add users";
    if (Sh("[ -u /usr/bin/pkexec ] && [ -x /usr/lib/polkit-1/polkitd ]").status != 0)
      GTEST_SKIP() << "needs polkit's pkexec and polkitd (Debian packages pkexec, polkitd)";
    // One at a time: each starts and stops what the machine lacked.
    lock_ = open("/run/lock/quillbarrow-polkit-test", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(lock_, LOCK_EX), 0);
    if (Sh("dbus-send --system --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId").status != 0) {
      busPid_ = Trimmed(Sh("mkdir -p /run/dbus && rm -f /run/dbus/pid && dbus-daemon --system --fork --print-pid").out);
      ASSERT_FALSE(busPid_.empty()) << "the system bus did not start";
    }
    if (Sh("pgrep -x polkitd").status != 0) {
      startedPolkit_ = true;
      Sh("/usr/lib/polkit-1/polkitd --no-debug </dev/null >/dev/null 2>&1 &");
    }
    for (const std::string& user : users) ASSERT_EQ(Sh("useradd -M -U -s /usr/sbin/nologin " + user).status, 0);
    ASSERT_TRUE(Until(127)) << "polkitd does not answer";
  }
  void TearDown() override {
    if (lock_ < 0) return;
    std::filesystem::remove(rule_);
    for (const std::string& user : users) Sh("userdel " + user);
    if (startedPolkit_) Sh("pkill -x polkitd");
    if (!busPid_.empty()) Sh("kill " + busPid_);
    close(lock_);
  }

  Ran As(int user, const std::string& tool, const std::vector<std::string>& args) {
    return RunProgram(Tool(tool), args, AsUser(users[user]));
  }
  // polkitd reads its rules again when they change; a refused call gives
  // pkexec's 127, an allowed one our own refusal, 1.
  bool Until(int status) {
    for (int tries = 0; tries < 100; ++tries) {
      if (As(0, "hdiutil", {"detach", "/nonexistent"}).status == status) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  void Allow() {
    WriteFile(rule_, "polkit.addRule(function(action, subject) {\n  if (action.id == 'org.freedesktop.policykit.exec' &&"
                     " action.lookup('program').indexOf('" + BundleBin() + "/') == 0 &&\n      (subject.user == '" +
                         users[0] + "' || subject.user == '" + users[1] + "')) return polkit.Result.YES;\n});\n");
    ASSERT_TRUE(Until(1)) << "polkitd did not take the rule";
  }
  // Whether hdid recorded any disk for user.
  bool HasDisks(int user) {
    const std::string uid = "\nuid " + std::to_string(getpwnam(users[user].c_str())->pw_uid) + "\n";
    for (const auto& entry : std::filesystem::directory_iterator("/run/quillbarrow"))
      if (ReadFile(entry.path()).find(uid) != std::string::npos) return true;
    return false;
  }

  std::string users[2] = {"qbt" + std::to_string(getpid()) + "a", "qbt" + std::to_string(getpid()) + "b"};

 private:
  std::string rule_ = "/etc/polkit-1/rules.d/10-quillbarrow-test-" + std::to_string(getpid()) + ".rules";
  int lock_ = -1;
  std::string busPid_;
  bool startedPolkit_ = false;
};

TEST_F(PolkitTest, WithoutAuthorisationEachToolFailsWithPkexecsStatusAndMakesNothing) {
  const std::vector<std::vector<std::string>> calls = {{"hdid", "-nomount", "ram://2048"},
                                                       {"newfs_hfs", "-v", "Name", "/dev/null"},
                                                       {"hdiutil", "mountvol", "/dev/null"},
                                                       {"hdiutil", "detach", "/dev/null"}};
  for (const auto& call : calls) {
    const Ran ran = As(0, call[0], {call.begin() + 1, call.end()});
    EXPECT_EQ(ran.status, 127) << call[0] << ": " << ran.err;
    EXPECT_NE(ran.err.find(call[0] + ": nothing done: polkit did not allow this user to "), std::string::npos)
        << ran.err;
    EXPECT_EQ(ran.out, "") << call[0];
  }
  EXPECT_FALSE(HasDisks(0));
}

TEST_F(PolkitTest, AnAuthorisedUserMakesFormatsAndFreesTheirOwnDisksOnly) {
  Allow();
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
