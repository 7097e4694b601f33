#pragma once
// A window that records its events and lets a test add its controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <string>
#include <vector>

#include "Window.h"
#include "internal/WindowAccess.h"

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

// Every test leaves no window behind.
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
