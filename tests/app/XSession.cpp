#include "XSession.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

extern char** environ;

bool Sh(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  std::string text;
  for (int c; (c = fgetc(pipe)) != EOF;) text += static_cast<char>(c);
  if (output) *output = text;
  return pclose(pipe) == 0;
}

pid_t Spawn(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

bool WaitFor(const std::function<bool()>& condition, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (; !condition(); std::this_thread::sleep_for(std::chrono::milliseconds(50)))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}

int WaitForExit(pid_t pid, double seconds) {
  int status = 0;
  if (WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds))
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

XSession::XSession() {
  // Xvfb picks a free display number itself and writes it to this pipe.
  int fds[2];
  if (pipe(fds) != 0) return;
  server_ =
      Spawn({"sh", "-c",
             "exec Xvfb -displayfd " + std::to_string(fds[1]) + " -screen 0 1024x768x24 -nolisten tcp 2>/dev/null"});
  close(fds[1]);
  std::string number;
  for (char c; server_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

XSession::~XSession() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  waitpid(server_, nullptr, 0);
}

bool XSession::Xdotool(const std::string& args, std::string* output) const {
  return Sh("DISPLAY=" + display_ + " xdotool " + args, output);
}

std::string XSession::WaitForWindow(const std::string& pattern, double seconds) const {
  std::string found;
  WaitFor([&] { return Xdotool("search --onlyvisible --name '" + pattern + "'", &found) && !found.empty(); }, seconds);
  return found.substr(0, found.find('\n'));
}
