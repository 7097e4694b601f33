#pragma once
// An X server of the test's own and the programs a test runs beside it.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

inline bool Sh(const std::string& command, std::string* output = nullptr) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  std::string text;
  for (int c; (c = fgetc(pipe)) != EOF;) text += static_cast<char>(c);
  if (output) *output = text;
  return pclose(pipe) == 0;
}

// Starts args[0] from PATH with our environment and output; its pid, or -1. "env NAME=value" in front changes one.
inline pid_t Spawn(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

inline bool WaitFor(const std::function<bool()>& condition, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (; !condition(); std::this_thread::sleep_for(std::chrono::milliseconds(50)))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}

// The exit status, or -1 when the process had not ended in time (it is killed then).
inline int WaitForExit(pid_t pid, double seconds) {
  int status = 0;
  if (WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds))
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

// Xvfb for the object's life, on a display number it picks itself; display stays empty when it did not start.
struct XSession {
  XSession() {
    // Xvfb writes the display number it picked to this pipe.
    int fds[2];
    if (pipe(fds) != 0) return;
    server =
        Spawn({"sh", "-c", "exec Xvfb -displayfd " + std::to_string(fds[1]) + " -screen 0 1024x768x24 2>/dev/null"});
    close(fds[1]);
    for (char c; server > 0 && read(fds[0], &c, 1) == 1 && c != '\n';) display += c;
    close(fds[0]);
    if (!display.empty()) display.insert(0, ":");
  }
  ~XSession() {
    if (server <= 0) return;
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
  }
  XSession(const XSession&) = delete;

  // xdotool on this display; args are words for the shell.
  bool Xdotool(const std::string& args, std::string* output = nullptr) const {
    return Sh("DISPLAY=" + display + " xdotool " + args, output);
  }
  // The first visible window whose title matches this regular expression (ignoring case) within seconds, or "".
  std::string WaitForWindow(const std::string& pattern, double seconds) const {
    std::string found;
    WaitFor([&] { return Xdotool("search --onlyvisible --name '" + pattern + "'", &found) && !found.empty(); },
            seconds);
    return found.substr(0, found.find('\n'));
  }

  pid_t server = -1;
  std::string display;
};
