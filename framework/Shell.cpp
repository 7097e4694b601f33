#include "Shell.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
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

  char buffer[65536];
  for (;;) {
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got > 0) {
      result_.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  close(pipeFds[0]);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return;
  }
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
