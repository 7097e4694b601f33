#include "Window.h"

#include <QCoreApplication>

#include <algorithm>

#include "RectControl.h"
#include "internal/PicturePeer.h"
#include "internal/WindowAccess.h"
#include "internal/Widgets.h"

namespace {

// Qt's sizes stop short of the full 32-bit range.
int WidgetSize(int32_t size) { return std::clamp<int32_t>(size, 0, QWIDGETSIZE_MAX); }

void ShowWidget(QWidget* widget, bool fullScreen) {
  if (fullScreen) {
    widget->showFullScreen();
  } else {
    widget->show();
  }
}

// For a window that may already be open behind others.
void ShowAndActivate(QWidget* widget, bool fullScreen) {
  ShowWidget(widget, fullScreen);
  widget->raise();
  widget->activateWindow();
}

// An untitled window shows the program's name: left to itself, the toolkit
// would give the window manager an empty name and a title of its own.
QString ShownTitle(const std::string& title) {
  return title.empty() ? QCoreApplication::applicationName() : QString::fromStdString(title);
}

}  // namespace

// The window ------------------------------------------------------------------

Window::Window(std::string registeredName)
    : peer_(std::make_unique<WindowPeer>()), registeredName_(std::move(registeredName)) {}

Window::~Window() {
  if (WindowWidget* widget = peer_->widget) {
    widget->Forget();
    delete widget;
  }
}

bool Window::Event_CancelClose(bool) { return false; }

void Window::Constructor() {
  if (built_ || closed_) return;
  std::shared_ptr<Window> self = weak_from_this().lock();
  if (!self) throw RuntimeException("A window must be held by a Ref before it is built.");
  WindowAccess::Register(self);

  Layout();
  // The widgets are made once the window's own properties are known.
  auto* widget = new WindowWidget(*this, WindowAccess::Flags(*this));
  peer_->widget = widget;
  widget->setWindowTitle(ShownTitle(title_));
  ApplySize();
  ApplyBackground();
  CreateControls();
  built_ = true;
  contentWidth_ = width_;
  contentHeight_ = height_;
  // The first control in the focus order has the focus when the window shows.
  if (QWidget* first = WindowAccess::FirstInFocusOrder(*this)) first->setFocus(Qt::ActiveWindowFocusReason);
  if (peer_->widget) peer_->widget->KeepAlive(self);
  WindowAccess::Built(self);

  // A new window comes to the front by itself.
  if (visible_ && peer_->widget) ShowWidget(peer_->widget, fullScreen_);
  // A handler may add nothing here, but copy: it must not matter if one did.
  const std::vector<Ref<RectControl>> controls = controls_;
  for (const Ref<RectControl>& control : controls) control->Event_Open();
}

void Window::Show() {
  if (closed_) return;
  visible_ = true;
  if (built_ && peer_->widget) ShowAndActivate(peer_->widget, fullScreen_);
}

void Window::Close() { WindowAccess::Close(*this, CloseReason::Program); }

void Window::AddControl(const std::string& name, const Ref<RectControl>& control) {
  if (&control->ParentWindow() != this)
    throw RuntimeException("The control \"" + name + "\" belongs to another window.");
  if (ControlByName(name)) throw RuntimeException("The window already has a control named \"" + name + "\".");
  controls_.push_back(control);
  controlNames_.push_back(name);
  if (control->Name().empty()) control->SetName(name);
}

Ref<RectControl> Window::ControlByName(const std::string& name) const {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controlNames_[i] == name) return controls_[i];
  return nullptr;
}

// Properties ------------------------------------------------------------------

void Window::SetWidth(int32_t width) {
  width_ = width;
  ApplySize();
}

void Window::SetHeight(int32_t height) {
  height_ = height;
  ApplySize();
}

void Window::SetMinWidth(int32_t width) {
  minWidth_ = width;
  ApplySize();
}

void Window::SetMinHeight(int32_t height) {
  minHeight_ = height;
  ApplySize();
}

void Window::SetMaxWidth(int32_t width) {
  maxWidth_ = width;
  ApplySize();
}

void Window::SetMaxHeight(int32_t height) {
  maxHeight_ = height;
  ApplySize();
}

void Window::SetResizeable(bool resizeable) {
  resizeable_ = resizeable;
  ApplySize();
}

void Window::SetTitle(const std::string& title) {
  title_ = title;
  if (peer_->widget) peer_->widget->setWindowTitle(ShownTitle(title));
}

void Window::SetVisible(bool visible) {
  visible_ = visible;
  if (!built_ || closed_ || !peer_->widget) return;
  if (visible) {
    ShowAndActivate(peer_->widget, fullScreen_);
  } else {
    peer_->widget->hide();
  }
}

void Window::SetFullScreen(bool fullScreen) {
  fullScreen_ = fullScreen;
  if (!built_ || !peer_->widget || !peer_->widget->isVisible()) return;
  if (fullScreen) {
    peer_->widget->showFullScreen();
  } else {
    peer_->widget->showNormal();
  }
}

void Window::SetCloseButton(bool has) {
  closeButton_ = has;
  ApplyFlags();
}

void Window::SetMinimizeButton(bool has) {
  minimizeButton_ = has;
  ApplyFlags();
}

void Window::SetMaximizeButton(bool has) {
  maximizeButton_ = has;
  ApplyFlags();
}

void Window::SetMenuBarVisible(bool visible) {
  menuBarVisible_ = visible;
  if (peer_->widget && peer_->widget->layout->menuBar()) peer_->widget->layout->menuBar()->setVisible(visible);
}

void Window::SetHasBackColor(bool has) {
  hasBackColor_ = has;
  ApplyBackground();
}

void Window::SetBackColor(Color color) {
  backColor_ = color;
  ApplyBackground();
}

void Window::SetBackdrop(const Ref<Picture>& picture) {
  backdrop_ = picture;
  ApplyBackground();
}

void Window::ApplyGroups(unsigned groups) {
  if (groups & kSizeGroup) ApplySize();
  if (groups & kFlagsGroup) ApplyFlags();
  if (groups & kBackgroundGroup) ApplyBackground();
}

void Window::ApplySize() {
  WindowWidget* widget = peer_->widget;
  if (!widget || Postpone(kSizeGroup)) return;
  const QSize size(WidgetSize(width_), WidgetSize(height_));
  widget->content->SetDesignSize(size);
  if (resizeable_) {
    widget->content->setMinimumSize(WidgetSize(minWidth_), WidgetSize(minHeight_));
    widget->content->setMaximumSize(WidgetSize(maxWidth_), WidgetSize(maxHeight_));
    widget->layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
  } else {
    widget->content->setFixedSize(size);
    widget->layout->setSizeConstraint(QLayout::SetFixedSize);
  }
  widget->layout->invalidate();
  widget->layout->activate();
  if (resizeable_) widget->resize(widget->sizeHint());
}

void Window::ApplyFlags() {
  WindowWidget* widget = peer_->widget;
  if (!widget || Postpone(kFlagsGroup)) return;
  const Qt::WindowFlags flags = WindowAccess::Flags(*this);
  if (widget->windowFlags() == flags) return;
  const bool wasVisible = widget->isVisible();
  widget->setWindowFlags(flags);  // hides a visible window
  if (wasVisible) widget->show();
}

void Window::ApplyBackground() {
  WindowWidget* widget = peer_->widget;
  if (!widget || Postpone(kBackgroundGroup)) return;
  widget->content->setAutoFillBackground(hasBackColor_);
  if (hasBackColor_) {
    QPalette palette = widget->content->palette();
    palette.setColor(QPalette::Window, ToQColor(backColor_));
    widget->content->setPalette(palette);
  } else {
    widget->content->setPalette(QPalette());
  }
  widget->content->SetBackdrop(backdrop_ ? backdrop_->Peer().image : QImage());
}

void Window::ContentResized(int32_t width, int32_t height) {
  if (!built_) return;
  const int32_t widthChange = width - contentWidth_, heightChange = height - contentHeight_;
  contentWidth_ = width;
  contentHeight_ = height;
  if (resizeable_) {
    width_ = width;
    height_ = height;
  }
  if (widthChange == 0 && heightChange == 0) return;
  for (const Ref<RectControl>& control : controls_) control->FollowWindowEdges(widthChange, heightChange);
}

const PropertyTable& Window::Table() {
  static const PropertyTable table = [] {
    PropertyTable t;
    t.Add("Width", &Window::SetWidth)
        .Add("Height", &Window::SetHeight)
        .Add("MinWidth", &Window::SetMinWidth)
        .Add("MinHeight", &Window::SetMinHeight)
        .Add("MaxWidth", &Window::SetMaxWidth)
        .Add("MaxHeight", &Window::SetMaxHeight)
        .Add("Resizeable", &Window::SetResizeable)
        .Add("Title", &Window::SetTitle)
        .Add("Visible", &Window::SetVisible)
        .Add("FullScreen", &Window::SetFullScreen)
        .Add("CloseButton", &Window::SetCloseButton)
        .Add("MinimizeButton", &Window::SetMinimizeButton)
        .Add("MaximizeButton", &Window::SetMaximizeButton)
        .Add("MenuBarVisible", &Window::SetMenuBarVisible)
        .Add("HasBackColor", &Window::SetHasBackColor)
        .Add("BackColor", &Window::SetBackColor);
    // The window manager places windows, draws their frames and composites
    // them, and Qt always resizes live, so on this platform these choose
    // nothing: their values are only kept.
    t.Keep("Placement", PropertyType::Integer)
        .Keep("Frame", PropertyType::Integer)
        .Keep("Composite", PropertyType::Boolean)
        .Keep("LiveResize", PropertyType::Boolean)
        .Keep("MacProcID", PropertyType::Integer);
    return t;
  }();
  return table;
}

