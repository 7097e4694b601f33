#pragma once
// Runs one command line through /bin/sh and waits for it to end.

#include <cstdint>
#include <functional>
#include <string>

class Shell {
public:
  // Runs command through "/bin/sh -c" and returns when it has ended. Standard
  // output becomes Result; standard error passes through to ours; standard
  // input is empty. The folder of the running executable is appended to PATH,
  // so the system's own tools win and the bundle's are the fall-back.
  void Execute(const std::string& command);

  // The exit status of the command just run: 0 for success. A command killed
  // by a signal gives 128 plus the signal's number, as the shell reports it;
  // one that could not be started gives 127.
  int32_t ErrorCode() const { return errorCode_; }
  const std::string& Result() const { return result_; }

private:
  int32_t errorCode_ = 0;
  std::string result_;
};

// The one seam for tests: while a runner is set, Execute hands it the command
// line and takes the exit status and output it gives back, running nothing.
// Pass nullptr to go back to the real shell.
using ShellRunner = std::function<void(const std::string& command, int32_t& errorCode, std::string& result)>;
void SetShellRunner(ShellRunner runner);

// One shell word that stands for text exactly, whatever it holds: single
// quotes, with each embedded single quote written as '\''.
std::string ShellQuote(const std::string& text);
