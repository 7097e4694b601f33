#pragma once
// Each case records the URIs that would be opened, and leaves no window
// behind. The mouse goes through the window system, as a real one would:
// enter and leave events, and a release going to the widget that took the
// press.

#define QTEST_QPA_MOUSE_HANDLING

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "Label.h"
#include "URLRecorder.h"
#include "internal/WindowAccess.h"

class AboutTest : public testing::Test {
protected:
  ~AboutTest() override {
    DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static QLabel* Widget(const Ref<Label>& label) { return static_cast<QLabel*>(ControlWidgetOf(*label)); }
  static QColor TextColor(const Ref<Label>& label) {
    return Widget(label)->palette().color(QPalette::Active, QPalette::WindowText);
  }
  // The cursor the label asks for; nothing when it shows its window's.
  static std::optional<Qt::CursorShape> Cursor(const Ref<Label>& label) {
    if (!Widget(label)->testAttribute(Qt::WA_SetCursor)) return std::nullopt;
    return Widget(label)->cursor().shape();
  }
  static void Click(const Ref<Label>& label) { QTest::mouseClick(Widget(label), Qt::LeftButton); }
  // Settles the window system's events, such as a closed window's deletion.
  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static inline const QColor kLinkColor{0x30, 0x90, 0xFF};
  static inline const QColor kPressedColor{0x90, 0x30, 0xFF};

  URLRecorder urls_;
};
