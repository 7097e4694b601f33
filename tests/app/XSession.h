#pragma once
// An X server of the test's own (Xvfb on a display number it picks itself)
// and the few things a test does with windows and programs on it.

#include <sys/types.h>

#include <string>
#include <vector>

// Our environment with these "NAME=value" entries in place of our own.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries);
// Starts args[0] (looked up in PATH) with this environment, standard output
// and standard error going to these descriptors; its pid, or -1.
pid_t Spawn(std::vector<std::string> args, std::vector<std::string> env, int out, int err);
// True when every one of these programs is found in PATH.
bool ProgramsExist(const std::vector<std::string>& names);

class XSession {
 public:
  // Starts Xvfb and waits until it takes connections; Ready() tells whether it did.
  XSession();
  // Stops the server.
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool Ready() const { return !display_.empty(); }
  // ":N"
  const std::string& Display() const { return display_; }

  // Runs xdotool with these arguments on this display; true when it
  // succeeded. Its standard output goes to output when one is given.
  bool Xdotool(const std::vector<std::string>& args, std::string* output = nullptr) const;
  // The first visible window whose title is exactly title, waiting up to
  // seconds for it; 0 when none came.
  unsigned long WaitForWindow(const std::string& title, double seconds) const;

 private:
  pid_t server_ = -1;
  std::string display_;
};
