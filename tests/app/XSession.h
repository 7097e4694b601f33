#pragma once
// An X server of the test's own (Xvfb on a display number it picks itself),
// and the programs a test runs beside it.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// Runs a shell command line; true when it exits with 0. Its standard output
// goes to output when one is given.
bool Sh(const std::string& command, std::string* output = nullptr);
// Starts args[0], found in PATH, with our environment and our standard
// output and error; its pid, or -1. Put "env NAME=value" in front to change one.
pid_t Spawn(std::vector<std::string> args);
// True as soon as condition holds, asking for up to seconds.
bool WaitFor(const std::function<bool()>& condition, double seconds);
// The exit status, or -1 when the process had not ended in time (it is
// killed then).
int WaitForExit(pid_t pid, double seconds);

class XSession {
 public:
  // Starts Xvfb and waits until it takes connections; Ready() tells whether it did.
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool Ready() const { return !display_.empty(); }
  const std::string& Display() const { return display_; }
  // xdotool on this display; args are words for the shell.
  bool Xdotool(const std::string& args, std::string* output = nullptr) const;
  // The first visible window whose title matches this regular expression
  // (ignoring case), waiting up to seconds for it; empty when none came.
  std::string WaitForWindow(const std::string& pattern, double seconds) const;

 private:
  pid_t server_ = -1;
  std::string display_;
};
