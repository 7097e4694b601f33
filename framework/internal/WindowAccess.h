#pragma once
// Windows and controls as the rest of the framework (menus, the application
// object) and the framework's tests reach them. The program never includes
// this header.

#include <functional>
#include <vector>

#include "Ref.h"

class QWidget;
class RectControl;
class Window;

// The top-level widget of a window; nullptr once it is gone.
QWidget* WindowWidgetOf(const Window& window);
// The window's content area, whose size is the window's Width and Height.
QWidget* ContentAreaOf(const Window& window);
// The widget of a control; nullptr once it is gone.
QWidget* ControlWidgetOf(const RectControl& control);

// Puts menuBar at the top of the window, above the content area, and gives
// the window its ownership. The content area keeps its size; the window grows
// by the menu bar's height. The window's MenuBarVisible shows or hides it.
// A window without widgets (not yet built, or gone) deletes it at once:
// OnWindowBuilt is the place to add one.
void SetWindowMenuBar(Window& window, QWidget* menuBar);

enum class CloseReason {
  Program,       // Window.Close
  User,          // the window's close button or the window manager
  AppQuitting,   // CloseWindow from the application's quitting
};
// The closing protocol: CancelClose (appQuitting true only for AppQuitting),
// then Close, then the window goes. True when the window has closed (also
// when it had closed before); false when CancelClose refused.
bool CloseWindow(Window& window, CloseReason reason);

// Called for every window once its controls exist, before it is shown.
void OnWindowBuilt(std::function<void(Window&)> hook);
// Called for every window that has closed, after its Close event.
void OnWindowClosed(std::function<void(Window&, CloseReason)> hook);

// Every built window that has not closed, in the order they were built.
std::vector<Ref<Window>> OpenWindows();
// Deletes every window's widgets at once, raising no events, and releases
// what the framework holds of them. For the end of the program and for tests.
void DestroyAllWindows();
