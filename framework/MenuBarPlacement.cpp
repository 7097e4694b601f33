// Where the application's menu bar stands. On macOS the toolkit makes it the
// screen's menu bar. Elsewhere it stands at the top of the first window that
// shows a menu bar, and moves to the next open one when that window closes.

#include <QMenuBar>

#include "Application.h"
#include "internal/MenuItemQt.h"
#include "Runtime.h"
#include "Window.h"
#include "internal/WindowAccess.h"

namespace {

QMenuBar* ApplicationBar() {
  const Ref<Application> app = GetAppObject();
  return app && app->MenuBar() ? app->MenuBar()->Qt().Bar() : nullptr;
}

bool PlaceIn(Window& window) {
  QMenuBar* bar = ApplicationBar();
  if (!bar || bar->parentWidget() || window.IsClosed() || !window.MenuBarVisible() || !WindowWidgetOf(window))
    return false;
  SetWindowMenuBar(window, bar);
  return true;
}

void PlaceInOpenWindow() {
  for (const Ref<Window>& window : OpenWindows())
    if (PlaceIn(*window)) return;
}

void TakeBackFrom(Window& window, CloseReason) {
  QMenuBar* bar = ApplicationBar();
  QWidget* widget = WindowWidgetOf(window);
  if (!bar || !widget || bar->window() != widget) return;
  bar->setParent(nullptr);  // the window's widgets go now, the bar stays
  PlaceInOpenWindow();
}

}  // namespace

void ShowApplicationMenuBar() {
#ifndef Q_OS_MACOS
  static bool watching = false;
  if (!watching) {
    watching = true;
    OnWindowBuilt([](Window& window) { PlaceIn(window); });
    OnWindowClosed(TakeBackFrom);
  }
  PlaceInOpenWindow();
#endif
}
