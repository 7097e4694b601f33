#include "PolkitUsers.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "TempDir.h"

static int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

static bool Within10s(const std::string& command) {
  return Shell("for try in $(seq 100); do " + command + " && exit 0; sleep 0.1; done; exit 1") == 0;
}

std::string PolkitUsers::WhyNot() {
  if (!std::getenv("CI") && Shell("[ \"$QB_SYSTEM_TESTS\" = 1 ]") != 0)
    return "adds users and a polkit rule to this machine: runs when CI is set or QB_SYSTEM_TESTS=1";
  if (geteuid() != 0) return "needs root to add users";
  if (Shell("[ -u /usr/bin/pkexec ] && [ -x /usr/lib/polkit-1/polkitd ]") != 0)
    return "needs polkit's pkexec and polkitd (Debian packages pkexec, polkitd)";
  return {};
}

static const std::string kPolkitdPid = "/run/lock/quillbarrow-polkit-test.polkitd";

PolkitUsers::PolkitUsers() {
  const std::string id = std::to_string(getpid());
  name[0] = "qbt" + id + "a";
  name[1] = "qbt" + id + "b";
  rule_ = "/etc/polkit-1/rules.d/10-quillbarrow-test-" + id + ".rules";
  // Each test starts and stops what the machine lacked: one at a time.
  lock_ = open("/run/lock/quillbarrow-polkit-test", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_ < 0 || flock(lock_, LOCK_EX) != 0) return;
  // The system bus writes its process id to /run/dbus/pid.
  if (Shell("dbus-send --system --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId 2>/dev/null") != 0)
    startedBus_ = Shell("mkdir -p /run/dbus && rm -f /run/dbus/pid && dbus-daemon --system --fork") == 0;
  // Asked, not looked for: a polkitd that has ended may linger unreaped.
  if (Shell("pkaction --action-id org.freedesktop.policykit.exec >/dev/null 2>&1") != 0)
    startedPolkit_ =
        Shell("/usr/lib/polkit-1/polkitd --no-debug </dev/null >/dev/null 2>&1 & echo $! >" + kPolkitdPid) == 0;
  for (const std::string& user : name)
    if (Shell("useradd -M -U -s /usr/sbin/nologin " + user) != 0) return;
  ready_ = Within10s("pkaction --action-id org.freedesktop.policykit.exec >/dev/null 2>&1");
}

PolkitUsers::~PolkitUsers() {
  std::filesystem::remove(rule_);
  for (const std::string& user : name) Shell("userdel " + user + " 2>/dev/null");
  // Only the one it started: a chroot may see the machine's own.
  if (startedPolkit_) Shell("kill $(cat " + kPolkitdPid + ") && rm " + kPolkitdPid);
  if (startedBus_) Shell("kill $(cat /run/dbus/pid)");
  if (lock_ >= 0) close(lock_);
}

unsigned PolkitUsers::Uid(int user) const {
  const passwd* entry = getpwnam(name[user].c_str());
  return entry ? entry->pw_uid : 0;
}

bool PolkitUsers::Allow(const std::string& folder) {
  WriteFile(rule_,
            "polkit.addRule(function(action, subject) {\n  if (action.id == 'org.freedesktop.policykit.exec' &&"
            " action.lookup('program').indexOf('" +
                folder + "/') == 0 &&\n      (subject.user == '" + name[0] + "' || subject.user == '" + name[1] +
                "')) return polkit.Result.YES;\n});\n");
  // polkitd reads its rules again when they change; until then pkexec's
  // refusal is 127, and after it hdiutil's own refusal of the path, 1.
  return Within10s("{ setpriv --reuid=" + name[0] + " --regid=" + name[0] + " --init-groups " + folder +
                   "/hdiutil detach /nonexistent </dev/null 2>/dev/null; [ $? = 1 ]; }");
}
