#pragma once
// An application object that logs its events, and a process of its own for
// each case that needs the runtime, whose state lasts the process.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "Runtime.h"

inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class RecordingApp : public Application {
 public:
  std::function<void()> onClose, onEnableMenuItems;

  void Event_Open() override { Log().push_back("Open"); }
  void Event_Close() override { Run("Close", onClose); }
  void Event_EnableMenuItems() override { Run("EnableMenuItems", onEnableMenuItems); }

 private:
  static void Run(const char* event, const std::function<void()>& action) {
    Log().push_back(event);
    if (action) action();
  }
};

[[noreturn]] inline void RunAndExit(const std::function<void()>& body) {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  RuntimeInit(argc, argv);
  body();
  std::fflush(nullptr);
  std::_Exit(testing::Test::HasFailure() ? 1 : 0);
}

// Registering the application object, quitting and an unhandled exception
// cannot be undone: such a case runs in a fresh run of this test program.
inline void InOwnProcess(const std::function<void()>& body) {
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RunAndExit(body), testing::ExitedWithCode(0), "");
  GTEST_FLAG_SET(death_test_style, style);
}
