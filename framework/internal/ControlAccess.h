#pragma once
// How the control classes reach the shared parts of RectControl. Framework-
// internal.

#include <QWidget>

#include "RectControl.h"
#include "internal/Widgets.h"

struct ControlAccess {
  // The content area that a new control of window is made in; throws when
  // the window's widgets are gone.
  static QWidget* ParentFor(Window& window);
  // Makes widget the control's own and brings it in line with the control's
  // shared properties.
  static void Adopt(RectControl& control, QWidget* widget, bool takesFocus);

  template <typename W>
  static W* WidgetAs(const RectControl& control) {
    return static_cast<W*>(control.peer_->widget.data());
  }
};
