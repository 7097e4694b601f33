#include "Shell.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <vector>

#include "Bundle.h"

extern char** environ;

namespace {

// The environment of the child: ours, with the executable's folder at the end
// of PATH.
std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> env;
  std::string path;
  bool hasPath = false;
  for (char** entry = environ; *entry; ++entry) {
    std::string item(*entry);
    if (item.rfind("PATH=", 0) == 0) {
      path = item.substr(5);
      hasPath = true;
    } else {
      env.push_back(std::move(item));
    }
  }
  if (!hasPath) path = "/usr/local/bin:/usr/bin:/bin";
  const std::string folder = ExecutableFolder();
  if (!folder.empty()) path += (path.empty() ? "" : ":") + folder;
  env.push_back("PATH=" + path);
  return env;
}

ShellRunner& Runner() {
  static ShellRunner runner;
  return runner;
}

// One read of at most most bytes; how many came, 0 at the end or on error.
size_t ReadSome(int fd, std::string& result, size_t most) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, std::min(sizeof buffer, most));
    if (got >= 0 || errno != EINTR) {
      if (got > 0) result.append(buffer, static_cast<size_t>(got));
      return got > 0 ? static_cast<size_t>(got) : 0;
    }
  }
}

// Reads fd into result until the pipe ends or pid has exited, whichever
// comes first; then takes what was already written, without waiting for
// more. False when pid could not be waited for.
bool ReadUntilExit(pid_t pid, int fd, std::string& result, int& status) {
  bool open = true;
  for (;;) {
    const pid_t waited = waitpid(pid, &status, open ? WNOHANG : 0);
    if (waited == pid) break;
    if (waited < 0 && errno != EINTR) return false;
    if (!open) continue;
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 20) <= 0) continue;
    open = ReadSome(fd, result, 65536) > 0;
  }
  int pending = 0;
  if (open && ioctl(fd, FIONREAD, &pending) == 0)
    for (size_t left = static_cast<size_t>(std::max(pending, 0)), got = 1; left > 0 && got > 0; left -= got)
      got = ReadSome(fd, result, left);
  return true;
}

}  // namespace

void SetShellRunner(ShellRunner runner) { Runner() = std::move(runner); }

void Shell::Execute(const std::string& command) {
  errorCode_ = 127;
  result_.clear();
  if (Runner()) {
    Runner()(command, errorCode_, result_);
    return;
  }

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);

  std::vector<std::string> env = ChildEnvironment();
  std::vector<char*> envp;
  for (auto& item : env) envp.push_back(item.data());
  envp.push_back(nullptr);
  std::string shell = "/bin/sh", flag = "-c", line = command;
  char* argv[] = {shell.data(), flag.data(), line.data(), nullptr};

  pid_t pid = -1;
  const int spawnError = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawnError != 0) {
    close(pipeFds[0]);
    return;
  }

  // Output is read while the shell runs, up to the moment it exits: a
  // background process it leaves behind may hold the pipe open for as long
  // as it lives, and must not hold the program up.
  int status = 0;
  const bool exited = ReadUntilExit(pid, pipeFds[0], result_, status);
  close(pipeFds[0]);
  if (!exited) return;
  if (WIFEXITED(status)) {
    errorCode_ = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    errorCode_ = 128 + WTERMSIG(status);
  }
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}
