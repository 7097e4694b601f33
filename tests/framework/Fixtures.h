#pragma once
// An application object and a window that log their events, a fixture that
// leaves no window behind, and a process of its own for each case that needs
// the runtime, whose state lasts the process.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "Runtime.h"
#include "Window.h"
#include "internal/WindowAccess.h"

using Lines = std::vector<std::string>;

// What the application object and the case did, in order.
inline Lines appLog;

class RecordingApp : public Application {
 public:
  std::function<void()> onClose, onEnableMenuItems;

  void Event_Open() override { appLog.push_back("Open"); }
  void Event_Close() override { Run("Close", onClose); }
  void Event_EnableMenuItems() override { Run("EnableMenuItems", onEnableMenuItems); }

 private:
  static void Run(const char* event, const std::function<void()>& action) {
    appLog.push_back(event);
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

class TestWindow : public Window {
 public:
  using Window::Window;

  std::vector<std::string> events;
  std::function<void(TestWindow&)> onCreateControls, onClose;
  bool refuseClose = false;
  std::vector<bool> cancelCloseQuitting;

 protected:
  void CreateControls() override {
    events.push_back("CreateControls");
    if (onCreateControls) onCreateControls(*this);
  }
  bool Event_CancelClose(bool appQuitting) override {
    events.push_back("CancelClose");
    cancelCloseQuitting.push_back(appQuitting);
    return refuseClose;
  }
  void Event_Close() override {
    events.push_back("Close");
    if (onClose) onClose(*this);
  }
};

class WindowTest : public testing::Test {
 protected:
  void TearDown() override {
    DestroyAllWindows();
    Settle();
  }
  // Lets deferred deletions (a closed window's widgets) happen.
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// A built window of 400 by 120 points with the controls that make(window) adds.
inline Ref<TestWindow> Build(const std::function<void(TestWindow&)>& make) {
  auto window = New<TestWindow>();
  window->SetProperties(
      PropertyList().Integer("Width", 400).Integer("Height", 120).Boolean("Resizeable", false).Bytes());
  window->onCreateControls = make;
  window->Constructor();
  return window;
}

// A control of class T added to window under name, then given list.
template <typename T>
Ref<T> Add(Window& window, const std::string& name, const std::string& list = "") {
  auto control = New<T>(window);
  window.AddControl(name, control);
  control->SetProperties(list);
  return control;
}
