#pragma once
// An application object for tests that writes its events into a shared log,
// and runs what a test hangs on each event.

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
  std::function<void()> onOpen, onClose, onEnableMenuItems;

  void Event_Open() override { Run("Open", onOpen); }
  void Event_Close() override { Run("Close", onClose); }
  void Event_EnableMenuItems() override { Run("EnableMenuItems", onEnableMenuItems); }

private:
  static void Run(const char* event, const std::function<void()>& action) {
    Log().push_back(event);
    if (action) action();
  }
};

// RuntimeInit for a test program, whose QApplication exists already.
inline void InitRuntimeForTest() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  RuntimeInit(argc, argv);
}
