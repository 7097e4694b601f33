// The framework's services around windows: the implicit instances, the
// closing protocol, the keyboard (default buttons, focus order) and what the
// rest of the framework reaches of a window.

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <map>

#include "PushButton.h"
#include "RectControl.h"
#include "Window.h"
#include "internal/Widgets.h"

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

bool TakesTab(QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !widget->isHidden();
}

}  // namespace

void WindowAccess::Register(const std::shared_ptr<Window>& window) {
  if (!window->registeredName_.empty()) ImplicitInstances()[window->registeredName_] = window;
}

void WindowAccess::Built(const std::shared_ptr<Window>& window) {
  BuiltWindows().push_back(window);
  for (const auto& hook : BuiltHooks()) hook(*window);
}

Ref<Window> GetImplicitWindow(const std::string& qualifiedName) {
  const auto found = ImplicitInstances().find(qualifiedName);
  if (found == ImplicitInstances().end()) return nullptr;
  std::shared_ptr<Window> window = found->second.lock();
  if (!window || window->IsClosed()) return nullptr;
  return window;
}

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
  // A handler may add nothing here, but copy: it must not matter if one did.
  const std::vector<Ref<RectControl>> controls = window.controls_;
  for (const Ref<RectControl>& control : controls) control->Event_Close();

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

Qt::WindowFlags WindowAccess::Flags(const Window& window) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (window.closeButton_) flags |= Qt::WindowCloseButtonHint;
  if (window.minimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
  if (window.maximizeButton_) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
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
