// The shell runner the RAM disk steps rely on: output, exit status and
// pipelines as /bin/sh gives them, and no wait for what a command leaves behind.

#include <gtest/gtest.h>

#include <chrono>

#include "Shell.h"

namespace {

TEST(Shell, ResultIsStandardOutputAndCodeIsTheExitStatus) {
  const struct {
    const char* command;
    std::string result;
    int32_t code;
  } runs[] = {
      {"printf 'a\\tb\\n'; echo oops >&2; exit 3", "a\tb\n", 3},
      {"true", "", 0},
      {"printf 'x\\n/dev/y\\n' | grep dev", "/dev/y\n", 0},  // a pipeline's status is the last command's
      {"printf 'x\\n' | grep dev", "", 1},
      {"kill -TERM $$", "", 128 + 15},
      {"/no/such/command/anywhere", "", 127},
      {"cat; echo end", "end\n", 0},  // standard input is empty
      {"head -c 1000000 /dev/zero | tr '\\0' x", std::string(1000000, 'x'), 0},
      {"echo hi; sleep 30 & exit 4", "hi\n", 4},  // the helper left behind holds the output open
  };
  const auto start = std::chrono::steady_clock::now();
  Shell shell;  // one shell for all: each run replaces what the last one left
  for (const auto& run : runs) {
    shell.Execute(run.command);
    EXPECT_EQ(shell.Result(), run.result) << run.command;
    EXPECT_EQ(shell.ErrorCode(), run.code) << run.command;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
