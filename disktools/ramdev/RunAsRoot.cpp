#include "RunAsRoot.h"

#include <spawn.h>
#include <sys/auxv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

// pkexec only works set-user-id root where the system installed it; one
// found through PATH could be anyone's.
const char* Pkexec() {
  for (const char* path : {"/usr/bin/pkexec", "/bin/pkexec"})
    if (access(path, X_OK) == 0) return path;
  return nullptr;
}

// The signals the terminal sends its foreground group, and the one a closed
// output pipe brings: the root part stays in the caller's group.
void IgnoreTerminal() {
  for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) std::signal(signal, SIG_IGN);
}

}  // namespace

int RunAsRoot(const char* tool, const char* task, char** argv) {
  // Made set-user-id, a copy would run as root for a caller whose word
  // (PKEXEC_UID, SUDO_UID, or none at all) it has no way to check.
  if (getuid() != geteuid() || getgid() != getegid() || getauxval(AT_SECURE)) {
    std::fprintf(stderr,
                 "%s: nothing done: a set-user-id or set-group-id copy is not trusted; root's rights come "
                 "through pkexec or sudo\n",
                 tool);
    return 1;
  }
  if (geteuid() == 0) {
    IgnoreTerminal();
    return -1;
  }
  const char* pkexec = Pkexec();
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  // Already run through pkexec and still not root: asking again would loop.
  if (!pkexec || length <= 0 || std::getenv("PKEXEC_UID")) {
    std::fprintf(stderr,
                 "%s: root is needed to %s; run it as root (for example with sudo), or install polkit's pkexec\n", tool,
                 task);
    return 1;
  }
  self[length] = '\0';
  std::vector<char*> args = {const_cast<char*>(pkexec), self};
  for (char** arg = argv + 1; *arg; ++arg) args.push_back(*arg);
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, pkexec, nullptr, nullptr, args.data(), environ) != 0) {
    std::fprintf(stderr, "%s: can't start %s\n", tool, pkexec);
    return 1;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (code == 126) std::fprintf(stderr, "%s: nothing done: the request for root's rights was dismissed\n", tool);
  // pkexec says 127 for each of these alike.
  if (code == 127)
    std::fprintf(stderr,
                 "%s: nothing done: polkit did not allow this user to %s (not authorised, a wrong password, or no "
                 "authentication agent to ask for one)\n",
                 tool, task);
  return code;
}
