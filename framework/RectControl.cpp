#include "RectControl.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

#include "Window.h"
#include "internal/ControlAccess.h"
#include "internal/WindowAccess.h"

QWidget* ControlAccess::ParentFor(Window& window) {
  QWidget* content = ContentAreaOf(window);
  if (!content) throw RuntimeException("A control can be made only in a window that is being built or is open.");
  return content;
}

void ControlAccess::Adopt(RectControl& control, QWidget* widget, bool takesFocus) {
  control.peer_->widget = widget;
  control.peer_->takesFocus = takesFocus;
  widget->setObjectName(QString::fromStdString(control.name_));
  control.ApplyGeometry();
  control.ApplyFont();
  control.ApplyCursor();
  control.SetTabStop(control.tabStop_);
  widget->setEnabled(control.enabled_);
  SetControlVisible(widget, control.visible_);
}

QWidget* ControlWidgetOf(const RectControl& control) { return ControlAccess::WidgetAs<QWidget>(control); }

RectControl::RectControl(Window& window) : window_(window), peer_(std::make_unique<ControlPeer>()) {}

RectControl::~RectControl() { delete peer_->widget.data(); }

void RectControl::SetName(const std::string& name) {
  name_ = name;
  if (QWidget* widget = peer_->widget) widget->setObjectName(QString::fromStdString(name));
}

void RectControl::SetLeft(int32_t left) {
  left_ = left;
  ApplyGeometry();
}

void RectControl::SetTop(int32_t top) {
  top_ = top;
  ApplyGeometry();
}

void RectControl::SetWidth(int32_t width) {
  width_ = width;
  ApplyGeometry();
}

void RectControl::SetHeight(int32_t height) {
  height_ = height;
  ApplyGeometry();
}

void RectControl::SetLockLeft(bool lock) { lockLeft_ = lock; }
void RectControl::SetLockTop(bool lock) { lockTop_ = lock; }
void RectControl::SetLockRight(bool lock) { lockRight_ = lock; }
void RectControl::SetLockBottom(bool lock) { lockBottom_ = lock; }

void RectControl::SetTabIndex(int32_t index) { tabIndex_ = index; }

void RectControl::SetTabStop(bool stop) {
  tabStop_ = stop;
  if (QWidget* widget = peer_->widget; widget && peer_->takesFocus)
    widget->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void RectControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (QWidget* widget = peer_->widget) widget->setEnabled(enabled);
}

void RectControl::SetVisible(bool visible) {
  visible_ = visible;
  if (QWidget* widget = peer_->widget) SetControlVisible(widget, visible);
}

void RectControl::SetHelpTag(const std::string& text) {
  helpTag_ = text;
  if (QWidget* widget = peer_->widget)
    SetIfChanged(widget, &QWidget::toolTip, &QWidget::setToolTip, QString::fromStdString(text));
}

void RectControl::SetTextFont(const std::string& family) {
  textFont_ = family;
  ApplyFont();
}

void RectControl::SetBold(bool bold) {
  bold_ = bold;
  ApplyFont();
}

void RectControl::SetItalic(bool italic) {
  italic_ = italic;
  ApplyFont();
}

void RectControl::SetUnderline(bool underline) {
  underline_ = underline;
  ApplyFont();
}

void RectControl::SetTextSize(float size) {
  textSize_ = size;
  ApplyFont();
}

void RectControl::SetMouseCursor(const Ref<::MouseCursor>& cursor) {
  mouseCursor_ = cursor;
  ApplyCursor();
}

void RectControl::ApplyCursor() {
  QWidget* widget = peer_->widget;
  if (!widget) return;
  if (!mouseCursor_) {
    widget->unsetCursor();
  } else if (mouseCursor_->GetShape() == MouseCursor::Shape::PointingHand) {
    widget->setCursor(Qt::PointingHandCursor);
  } else {
    widget->setCursor(Qt::ArrowCursor);
  }
}

void RectControl::ApplyGroups(unsigned groups) {
  if (groups & kGeometryGroup) ApplyGeometry();
  if (groups & kFontGroup) ApplyFont();
}

void RectControl::ApplyFont() {
  QWidget* widget = peer_->widget;
  if (!widget || Postpone(kFontGroup)) return;
  const bool plain =
      (textFont_ == "System" || textFont_.empty()) && !bold_ && !italic_ && !underline_ && textSize_ <= 0;
  if (plain) {
    // The platform's default font for this kind of widget, as Qt gives it.
    if (widget->testAttribute(Qt::WA_SetFont)) widget->setFont(QFont());
    return;
  }
  QFont font = QApplication::font(widget);
  if (textFont_ != "System" && !textFont_.empty()) font.setFamilies({QString::fromStdString(textFont_)});
  font.setBold(bold_);
  font.setItalic(italic_);
  font.setUnderline(underline_);
  // Sizes are in the unit of the controls' places, so that a text keeps to
  // the box that was drawn for it whatever the screen's resolution.
  if (textSize_ > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(textSize_))));
  widget->setFont(font);
}

void RectControl::ApplyGeometry() {
  QWidget* widget = peer_->widget;
  if (!widget || Postpone(kGeometryGroup)) return;
  widget->setGeometry(left_, top_, std::max(width_, 0), std::max(height_, 0));
}

void RectControl::FollowWindowEdges(int32_t widthChange, int32_t heightChange) {
  if (lockRight_) {
    (lockLeft_ ? width_ : left_) += widthChange;
  }
  if (lockBottom_) {
    (lockTop_ ? height_ : top_) += heightChange;
  }
  if (lockRight_ || lockBottom_) ApplyGeometry();
}

const PropertyTable& RectControl::Table() {
  static const PropertyTable table = [] {
    PropertyTable t;
    t.Add("Name", &RectControl::SetName)
        .Add("Left", &RectControl::SetLeft)
        .Add("Top", &RectControl::SetTop)
        .Add("Width", &RectControl::SetWidth)
        .Add("Height", &RectControl::SetHeight)
        .Add("LockLeft", &RectControl::SetLockLeft)
        .Add("LockTop", &RectControl::SetLockTop)
        .Add("LockRight", &RectControl::SetLockRight)
        .Add("LockBottom", &RectControl::SetLockBottom)
        .Add("TabIndex", &RectControl::SetTabIndex)
        .Add("TabStop", &RectControl::SetTabStop)
        .Add("Enabled", &RectControl::SetEnabled)
        .Add("Visible", &RectControl::SetVisible)
        .Add("HelpTag", &RectControl::SetHelpTag)
        .Add("TextFont", &RectControl::SetTextFont)
        .Add("Bold", &RectControl::SetBold)
        .Add("Italic", &RectControl::SetItalic)
        .Add("Underline", &RectControl::SetUnderline);
    // Controls stand directly in their window here: there are no control
    // groups, tab panels or containers to place them in, and Qt draws a
    // control of an inactive window inactive by itself. Only kept.
    t.Keep("Index", PropertyType::Integer)
        .Keep("TabPanelIndex", PropertyType::Integer)
        .Keep("InitialParent", PropertyType::String)
        .Keep("AutoDeactivate", PropertyType::Boolean);
    return t;
  }();
  return table;
}
