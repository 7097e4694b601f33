#include "XSession.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& own : entries)
      replaced |= own.substr(0, own.find('=') + 1) == entry.substr(0, own.find('=') + 1);
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), entries.begin(), entries.end());
  return env;
}

pid_t Spawn(std::vector<std::string> args, std::vector<std::string> env, int out, int err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  std::vector<char*> argv, envp;
  for (std::string& arg : args) argv.push_back(arg.data());
  for (std::string& entry : env) envp.push_back(entry.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

bool ProgramsExist(const std::vector<std::string>& names) {
  std::string command = "true";
  for (const std::string& name : names) command += " && command -v '" + name + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

XSession::XSession() {
  // Xvfb picks a free display number itself and writes it to this pipe.
  int fds[2];
  if (pipe(fds) != 0) return;
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  server_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                  EnvironmentWith({}), null, null);
  close(null);
  close(fds[1]);
  std::string number;
  char c;
  while (server_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

XSession::~XSession() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  int status;
  waitpid(server_, &status, 0);
}

bool XSession::Xdotool(const std::vector<std::string>& args, std::string* output) const {
  std::vector<std::string> command = {"xdotool"};
  command.insert(command.end(), args.begin(), args.end());
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const pid_t pid = Spawn(command, EnvironmentWith({"DISPLAY=" + display_}), fds[1], STDERR_FILENO);
  close(fds[1]);
  std::string collected;
  char buffer[4096];
  for (ssize_t got; pid > 0 && (got = read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    collected.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  int status = -1;
  if (pid > 0) waitpid(pid, &status, 0);
  if (output) *output = collected;
  return pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

unsigned long XSession::WaitForWindow(const std::string& title, double seconds) const {
  // xdotool matches names as regular expressions.
  std::string pattern = "^";
  for (char c : title) {
    if (std::strchr("()[]{}.*+?^$|\\", c)) pattern += '\\';
    pattern += c;
  }
  pattern += '$';
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    std::string found;
    if (Xdotool({"search", "--onlyvisible", "--name", pattern}, &found) && !found.empty())
      return std::strtoul(found.c_str(), nullptr, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return 0;
}
