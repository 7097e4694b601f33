#include "PolkitUsers.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TempDir.h"

namespace {

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

std::string PolkitUsers::WhyNot() {
  const char* wanted = std::getenv("QB_SYSTEM_TESTS");
  if (!std::getenv("CI") && !(wanted && std::string(wanted) == "1"))
    return "adds users and a polkit rule to this machine: runs when CI is set or QB_SYSTEM_TESTS=1";
  if (geteuid() != 0) return "needs root to add users";
  if (Shell("[ -u /usr/bin/pkexec ] && [ -x /usr/lib/polkit-1/polkitd ]") != 0)
    return "needs polkit's pkexec and polkitd (Debian packages pkexec, polkitd)";
  return {};
}

PolkitUsers::PolkitUsers() {
  const std::string id = std::to_string(getpid());
  name[0] = "qbt" + id + "a";
  name[1] = "qbt" + id + "b";
  rule_ = "/etc/polkit-1/rules.d/10-quillbarrow-test-" + id + ".rules";
  // Each test starts and stops what the machine lacked: one at a time.
  lock_ = open("/run/lock/quillbarrow-polkit-test", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_ < 0 || flock(lock_, LOCK_EX) != 0) return;
  if (Shell("dbus-send --system --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId 2>/dev/null") != 0)
    busPid_ = Output("mkdir -p /run/dbus && rm -f /run/dbus/pid && dbus-daemon --system --fork --print-pid");
  if (Shell("pgrep -x polkitd >/dev/null") != 0) {
    startedPolkit_ = true;
    Shell("/usr/lib/polkit-1/polkitd --no-debug </dev/null >/dev/null 2>&1 &");
  }
  for (const std::string& user : name)
    if (Shell("useradd -M -U -s /usr/sbin/nologin " + user) != 0) return;
  for (int tries = 0; tries < 100 && !ready_; ++tries) {
    ready_ = Shell("pkaction --action-id org.freedesktop.policykit.exec >/dev/null 2>&1") == 0;
    if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

PolkitUsers::~PolkitUsers() {
  std::filesystem::remove(rule_);
  for (const std::string& user : name) Shell("userdel " + user + " 2>/dev/null");
  if (startedPolkit_) Shell("pkill -x polkitd");
  if (!busPid_.empty()) Shell("kill " + busPid_);
  if (lock_ >= 0) close(lock_);
}

int PolkitUsers::Run(int user, const std::string& command) const {
  return Shell("setpriv --reuid=" + name[user] + " --regid=" + std::to_string(getpwnam(name[user].c_str())->pw_gid) +
               " --init-groups sh -c '" + command + "' </dev/null");
}

unsigned PolkitUsers::Uid(int user) const {
  const passwd* entry = getpwnam(name[user].c_str());
  return entry ? entry->pw_uid : 0;
}

bool PolkitUsers::Allow(const std::string& folder) {
  WriteFile(rule_, "polkit.addRule(function(action, subject) {\n  if (action.id == 'org.freedesktop.policykit.exec' &&"
                   " action.lookup('program').indexOf('" + folder + "/') == 0 &&\n      (subject.user == '" + name[0] +
                       "' || subject.user == '" + name[1] + "')) return polkit.Result.YES;\n});\n");
  // polkitd reads its rules again when they change; until then pkexec's
  // refusal is 127, and after it hdiutil's own refusal of the path, 1.
  for (int tries = 0; tries < 100; ++tries) {
    if (Run(0, folder + "/hdiutil detach /nonexistent 2>/dev/null") == 1) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}
