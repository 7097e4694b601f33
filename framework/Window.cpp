#include "Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <map>

#include "ExceptionBoundary.h"
#include "PushButton.h"
#include "RectControl.h"
#include "internal/WindowAccess.h"
#include "internal/Widgets.h"

struct WindowAccess {
  static WindowPeer& Peer(const Window& window) { return *window.peer_; }
  static void ContentResized(Window& window, int width, int height) { window.ContentResized(width, height); }
  static bool Close(Window& window, CloseReason reason);
  static bool PressButton(Window& window, bool cancel);
  static Qt::WindowFlags Flags(const Window& window);
  static bool MoveFocus(Window& window, bool forward);
  // The controls' widgets in order of TabIndex.
  static std::vector<QWidget*> FocusOrder(const Window& window);
  static QWidget* FirstInFocusOrder(const Window& window);
};

namespace {

std::map<std::string, std::weak_ptr<Window>>& ImplicitInstances() {
  static std::map<std::string, std::weak_ptr<Window>> instances;
  return instances;
}

std::vector<std::weak_ptr<Window>>& BuiltWindows() {
  static std::vector<std::weak_ptr<Window>> windows;
  return windows;
}

std::vector<std::function<void(Window&)>>& BuiltHooks() {
  static std::vector<std::function<void(Window&)>> hooks;
  return hooks;
}

std::vector<std::function<void(Window&, CloseReason)>>& ClosedHooks() {
  static std::vector<std::function<void(Window&, CloseReason)>> hooks;
  return hooks;
}

// Qt's sizes stop short of the full 32-bit range.
int WidgetSize(int32_t size) { return std::clamp<int32_t>(size, 0, QWIDGETSIZE_MAX); }

bool TakesTab(QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !widget->isHidden();
}

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

}  // namespace

// The widgets -----------------------------------------------------------------

ContentArea::ContentArea(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

void ContentArea::SetDesignSize(QSize size) {
  designSize_ = size;
  updateGeometry();
}

void ContentArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  WindowAccess::ContentResized(owner_, event->size().width(), event->size().height());
}

WindowWidget::WindowWidget(Window& owner, Qt::WindowFlags flags) : QWidget(nullptr, flags), owner_(&owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  content = new ContentArea(owner, this);
  layout->addWidget(content);
}

WindowWidget::~WindowWidget() {
  if (owner_) WindowAccess::Peer(*owner_).widget = nullptr;
  // The window object may go with this reference: its controls then delete
  // their widgets while this widget is still whole.
  keepAlive_.reset();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (!owner_ || owner_->IsClosed()) {
    event->accept();
    return;
  }
  const bool closed = CallIntoProgram([this] { return WindowAccess::Close(*owner_, CloseReason::User); }, false);
  if (closed) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool WindowWidget::focusNextPrevChild(bool next) {
  // Tab and Backtab follow the controls' TabIndex, not the order of creation.
  if (owner_ && WindowAccess::MoveFocus(*owner_, next)) return true;
  return QWidget::focusNextPrevChild(next);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (owner_ && plain) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && WindowAccess::PressButton(*owner_, false)) return;
    if (key == Qt::Key_Escape && WindowAccess::PressButton(*owner_, true)) return;
  }
  QWidget::keyPressEvent(event);
}

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
  if (!registeredName_.empty()) ImplicitInstances()[registeredName_] = self;

  Layout();
  // The widgets are made once the window's own properties are known.
  auto* widget = new WindowWidget(*this, WindowAccess::Flags(*this));
  peer_->widget = widget;
  widget->setWindowTitle(QString::fromStdString(title_));
  ApplySize();
  ApplyBackground();
  CreateControls();
  built_ = true;
  contentWidth_ = width_;
  contentHeight_ = height_;
  // The first control in the focus order has the focus when the window shows.
  if (QWidget* first = WindowAccess::FirstInFocusOrder(*this)) first->setFocus(Qt::ActiveWindowFocusReason);
  BuiltWindows().push_back(self);
  if (peer_->widget) peer_->widget->KeepAlive(self);
  for (const auto& hook : BuiltHooks()) hook(*this);

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

bool WindowAccess::Close(Window& window, CloseReason reason) {
  if (window.closed_) return true;
  if (window.closing_) return false;
  // Handlers may drop the last reference to the window; keep it until done.
  const std::shared_ptr<Window> self = window.weak_from_this().lock();
  window.closing_ = true;
  struct EndClosing {
    bool& closing;
    ~EndClosing() { closing = false; }
  } endClosing{window.closing_};
  if (window.Event_CancelClose(reason == CloseReason::AppQuitting)) return false;
  window.Event_Close();

  window.closed_ = true;
  auto& instances = ImplicitInstances();
  const auto found = instances.find(window.registeredName_);
  if (found != instances.end() && found->second.lock().get() == &window) instances.erase(found);
  for (const auto& hook : ClosedHooks()) hook(window, reason);
  // A close from the window system finishes when its close event is accepted.
  if (reason != CloseReason::User && window.peer_->widget) window.peer_->widget->close();
  return true;
}

bool WindowAccess::PressButton(Window& window, bool cancel) {
  for (const Ref<RectControl>& control : window.controls_) {
    const auto* button = dynamic_cast<const PushButton*>(&*control);
    if (!button || !(cancel ? button->Cancel() : button->Default())) continue;
    auto* widget = static_cast<QPushButton*>(ControlWidgetOf(*button));
    if (!widget || !widget->isVisible()) continue;
    widget->click();  // does nothing while the button is disabled
    return true;
  }
  return false;
}

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
  if (peer_->widget) peer_->widget->setWindowTitle(QString::fromStdString(title));
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

Qt::WindowFlags WindowAccess::Flags(const Window& window) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (window.closeButton_) flags |= Qt::WindowCloseButtonHint;
  if (window.minimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
  if (window.maximizeButton_) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
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
}

std::vector<QWidget*> WindowAccess::FocusOrder(const Window& window) {
  std::vector<const RectControl*> order;
  for (const Ref<RectControl>& control : window.controls_) order.push_back(&*control);
  std::stable_sort(order.begin(), order.end(),
                   [](const RectControl* a, const RectControl* b) { return a->TabIndex() < b->TabIndex(); });
  std::vector<QWidget*> widgets;
  for (const RectControl* control : order)
    if (QWidget* widget = ControlWidgetOf(*control)) widgets.push_back(widget);
  return widgets;
}

bool WindowAccess::MoveFocus(Window& window, bool forward) {
  const std::vector<QWidget*> order = FocusOrder(window);
  if (std::none_of(order.begin(), order.end(), TakesTab)) return false;
  // From the focused control, or from before the first when none has the focus.
  QWidget* focus = window.peer_->widget ? window.peer_->widget->focusWidget() : nullptr;
  const auto found = std::find(order.begin(), order.end(), focus);
  const size_t count = order.size();
  size_t at = found != order.end() ? static_cast<size_t>(found - order.begin()) : forward ? count - 1 : 0;
  do {
    at = forward ? (at + 1) % count : (at + count - 1) % count;
  } while (!TakesTab(order[at]));
  order[at]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

QWidget* WindowAccess::FirstInFocusOrder(const Window& window) {
  for (QWidget* widget : FocusOrder(window))
    if (TakesTab(widget)) return widget;
  return nullptr;
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

Ref<Window> GetImplicitWindow(const std::string& qualifiedName) {
  const auto found = ImplicitInstances().find(qualifiedName);
  if (found == ImplicitInstances().end()) return nullptr;
  std::shared_ptr<Window> window = found->second.lock();
  if (!window || window->IsClosed()) return nullptr;
  return window;
}

// Framework-internal access ---------------------------------------------------

QWidget* WindowWidgetOf(const Window& window) { return WindowAccess::Peer(window).widget; }

QWidget* ContentAreaOf(const Window& window) {
  WindowWidget* widget = WindowAccess::Peer(window).widget;
  return widget ? widget->content : nullptr;
}

void SetWindowMenuBar(Window& window, QWidget* menuBar) {
  WindowWidget* widget = WindowAccess::Peer(window).widget;
  if (!widget) {
    delete menuBar;
    return;
  }
  if (QWidget* old = widget->layout->menuBar(); old && old != menuBar) old->deleteLater();
  menuBar->setParent(widget);
  widget->layout->setMenuBar(menuBar);
  menuBar->setVisible(window.MenuBarVisible());
  widget->layout->invalidate();
  widget->layout->activate();
}

bool CloseWindow(Window& window, CloseReason reason) { return WindowAccess::Close(window, reason); }

void OnWindowBuilt(std::function<void(Window&)> hook) { BuiltHooks().push_back(std::move(hook)); }

void OnWindowClosed(std::function<void(Window&, CloseReason)> hook) { ClosedHooks().push_back(std::move(hook)); }

std::vector<Ref<Window>> OpenWindows() {
  std::vector<Ref<Window>> open;
  auto& built = BuiltWindows();
  std::erase_if(built, [](const std::weak_ptr<Window>& window) { return window.expired(); });
  for (const auto& weak : built)
    if (auto window = weak.lock(); window && !window->IsClosed()) open.emplace_back(window);
  return open;
}

void DestroyAllWindows() {
  // Deleting one window deletes its popups, which are top-level widgets too.
  std::vector<QPointer<WindowWidget>> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = dynamic_cast<WindowWidget*>(widget)) windows.emplace_back(window);
  for (const QPointer<WindowWidget>& window : windows) delete window.data();
  BuiltWindows().clear();
  ImplicitInstances().clear();
}
