// What the disk steps rely on: output and status as /bin/sh gives them, no wait for what is left behind.

#include <gtest/gtest.h>

#include <chrono>

#include "Shell.h"

namespace {

TEST(Shell, ResultIsStandardOutputAndCodeIsTheExitStatus) {
  const std::tuple<const char*, std::string, int32_t> runs[] = {
      {"printf 'a\\tb\\n'; echo oops >&2; exit 3", "a\tb\n", 3},
      {"printf 'x\\n' | grep dev", "", 1},               // a pipeline's status is the last command's
      {"echo gone; kill -TERM $$", "gone\n", 128 + 15},  // ended by a signal: as $? tells it
      // The helper left behind holds the output open; not the test's own
      // standard error, which ctest waits on.
      {"echo hi; sleep 30 2>&- & exit 4", "hi\n", 4},
  };
  const auto start = std::chrono::steady_clock::now();
  Shell shell;  // one shell for all: each run replaces what the last one left
  for (const auto& [command, result, code] : runs) {
    shell.Execute(command);
    EXPECT_EQ(shell.Result(), result) << command;
    EXPECT_EQ(shell.ErrorCode(), code) << command;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
