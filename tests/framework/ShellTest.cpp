#include <gtest/gtest.h>

#include <cstdlib>

#include "Shell.h"
#include "TempDir.h"

namespace {

TEST(Shell, ResultIsStandardOutputAndCodeIsTheExitStatus) {
  Shell shell;
  shell.Execute("printf 'a\\tb\\n'; echo oops >&2; exit 3");
  EXPECT_EQ(shell.Result(), "a\tb\n");
  EXPECT_EQ(shell.ErrorCode(), 3);
  shell.Execute("true");
  EXPECT_EQ(shell.Result(), "");
  EXPECT_EQ(shell.ErrorCode(), 0);
}

TEST(Shell, PipelineStatusIsTheLastCommands) {
  Shell shell;
  shell.Execute("printf 'x\\n/dev/y\\n' | grep dev");
  EXPECT_EQ(shell.ErrorCode(), 0);
  EXPECT_EQ(shell.Result(), "/dev/y\n");
  shell.Execute("printf 'x\\n' | grep dev");
  EXPECT_NE(shell.ErrorCode(), 0);
}

TEST(Shell, SignalsAndMissingCommandsAreFailures) {
  Shell shell;
  shell.Execute("kill -TERM $$");
  EXPECT_EQ(shell.ErrorCode(), 128 + 15);
  shell.Execute("/no/such/command/anywhere");
  EXPECT_EQ(shell.ErrorCode(), 127);
}

TEST(Shell, StandardInputIsEmpty) {
  Shell shell;
  shell.Execute("cat; echo end");
  EXPECT_EQ(shell.Result(), "end\n");
}

TEST(Shell, LargeOutputIsReadWhole) {
  Shell shell;
  shell.Execute("head -c 1000000 /dev/zero | tr '\\0' x");
  EXPECT_EQ(shell.Result().size(), 1000000u);
  EXPECT_EQ(shell.ErrorCode(), 0);
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
