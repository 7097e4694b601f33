#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "Shell.h"
#include "TempDir.h"

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

TEST(Shell, ExecutableFolderComesLastInPath) {
  TempDir dir;
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  setenv("PATH", dir.path().c_str(), 1);
  Shell shell;
  shell.Execute("printf %s \"$PATH\"");
  setenv("PATH", saved.c_str(), 1);
  const std::string path = shell.Result();
  ASSERT_EQ(path.rfind(dir.path().string() + ":", 0), 0u) << path;
  EXPECT_NE(path.find("tests/framework"), std::string::npos) << path;
}

TEST(Shell, QuotingKeepsEveryTextOneWord) {
  const std::string texts[] = {"", "'", "a b", "$(echo x)", "`x`", "a'b'c", "\n", "-n", "\\", "; exit 9"};
  for (const auto& text : texts) {
    Shell shell;
    shell.Execute("printf '%s' " + ShellQuote(text));
    EXPECT_EQ(shell.Result(), text);
    EXPECT_EQ(shell.ErrorCode(), 0);
  }
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
}

TEST(Shell, TheRunnerSeamReplacesTheShell) {
  SetShellRunner([](const std::string& command, int32_t& code, std::string& result) {
    code = -4;
    result = "ran " + command;
  });
  Shell shell;
  shell.Execute("touch /should/not/happen");
  SetShellRunner(nullptr);
  EXPECT_EQ(shell.ErrorCode(), -4);
  EXPECT_EQ(shell.Result(), "ran touch /should/not/happen");
}

}  // namespace
