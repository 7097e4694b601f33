#include "XSession.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

// For exec: the strings' own buffers, then the terminating null pointer.
std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Runs argv with DISPLAY set, standard output collected; its exit status.
int RunCollecting(const std::vector<std::string>& args, const std::string& display, std::string& output) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
  env.push_back("DISPLAY=" + display);
  std::vector<std::string> copy = args;
  std::vector<char*> envp = Pointers(env), argv = Pointers(copy);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return -1;
  }
  char buffer[4096];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    output.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool ProgramsExist(const std::vector<std::string>& names) {
  const char* path = std::getenv("PATH");
  for (const std::string& name : names) {
    bool found = false;
    std::stringstream folders(path ? path : "");
    for (std::string folder; !found && std::getline(folders, folder, ':');)
      found = !folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0;
    if (!found) return false;
  }
  return true;
}

XSession::XSession() {
  // Xvfb picks a free display number itself and writes it to this pipe.
  int fds[2];
  if (pipe(fds) != 0) return;
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp"};
  const int spawned = posix_spawnp(&server_, "Xvfb", &actions, nullptr, Pointers(args).data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    server_ = -1;
    close(fds[0]);
    return;
  }
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
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
  std::string collected;
  const int status = RunCollecting(command, display_, collected);
  if (output) *output = collected;
  return status == 0;
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

bool XSession::RequestClose(unsigned long window) const {
  ::Display* display = XOpenDisplay(display_.c_str());
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the request
  return sent != 0;
}
