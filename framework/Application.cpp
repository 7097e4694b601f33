#include "Application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "EditCommands.h"
#include "ExceptionBoundary.h"
#include "internal/MenuItemQt.h"
#include "Runtime.h"

namespace {

void ForEachItem(MenuItem& item, const std::function<void(MenuItem&)>& visit) {
  for (int32_t i = 0; i < item.Count(); ++i) {
    MenuItem& child = *item.Item(i);
    visit(child);
    ForEachItem(child, visit);
  }
}

bool IsShortcutOfMenuBar(const QKeySequence& keys) {
  const Ref<Application> app = GetAppObject();
  if (!app || !app->MenuBar()) return false;
  bool found = false;
  ForEachItem(*app->MenuBar(), [&](MenuItem& item) {
    const QKeySequence shortcut = item.Qt().Action().shortcut();
    found = found || (!shortcut.isEmpty() && shortcut.matches(keys) == QKeySequence::ExactMatch);
  });
  return found;
}

// The one event of a key press that counts: the toolkit hands the same
// event on to the focused widget's parents, and may show it to the window
// first.
bool IsFirstReceiver(const QObject* watched) {
  if (const QWidget* focus = QApplication::focusWidget()) return watched == focus;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  return widget && widget->isWindow();
}

// A window that does not show the menu bar still opens its menus by their
// mnemonics: the menu then drops from that window's top left corner.
bool OpenMenuByMnemonic(const QKeyEvent& key) {
  const Ref<Application> app = GetAppObject();
  QMenuBar* bar = app && app->MenuBar() ? app->MenuBar()->Qt().Bar() : nullptr;
  QWidget* window = QApplication::activeWindow();
  if (!bar || !window || bar->window() == window || key.modifiers() != Qt::AltModifier) return false;
  for (QAction* action : bar->actions()) {
    if (!action->menu() || !action->isEnabled() ||
        QKeySequence::mnemonic(action->text()) != QKeySequence(key.keyCombination()))
      continue;
    QMenu* menu = action->menu();
    menu->popup(window->mapToGlobal(QPoint(0, 0)));
    // As from the menu bar: the keys go on from the first item.
    for (QAction* item : menu->actions())
      if (!item->isSeparator() && item->isEnabled()) {
        menu->setActiveAction(item);
        break;
      }
    return true;
  }
  return false;
}

// Before the toolkit looks for a key's shortcut it asks the focused widget
// whether it wants the key for itself: the moment to bring the menus up to
// date, so that the shortcut finds its item enabled or not as the open menu
// would show it.
class ShortcutWatcher : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride && IsFirstReceiver(watched) &&
        IsShortcutOfMenuBar(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination())))
      RaiseEnableMenuItems();
    if (event->type() == QEvent::KeyPress && IsFirstReceiver(watched) &&
        OpenMenuByMnemonic(*static_cast<QKeyEvent*>(event)))
      return true;
    return QObject::eventFilter(watched, event);
  }
};

void WatchShortcuts() {
  static QPointer<ShortcutWatcher> watcher;
  if (!watcher && qApp) {
    watcher = new ShortcutWatcher(qApp);
    qApp->installEventFilter(watcher);
  }
}

}  // namespace

void Application::SetMenuBar(const Ref<::MenuBar>& menuBar) {
  menuBar_ = menuBar;
  WatchShortcuts();
  ShowApplicationMenuBar();
}

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
  handlers_[itemName] = std::move(handler);
}

std::function<bool()> Application::MenuHandler(const std::string& itemName) const {
  const auto found = handlers_.find(itemName);
  return found == handlers_.end() ? nullptr : found->second;
}

void RaiseEnableMenuItems() {
  CallIntoProgram([] {
    const Ref<Application> app = GetAppObject();
    if (!app) return;
    if (app->MenuBar()) {
      const bool canEdit = HasEditTarget();
      ForEachItem(*app->MenuBar(), [&](MenuItem& item) {
        if (item.AutoEnable()) item.SetEnabled(!IsEditCommand(item.Name()) || canEdit);
      });
    }
    app->Event_EnableMenuItems();
  });
}

void ChooseMenuItem(MenuItem& item) {
  CallIntoProgram([&item] {
    const Ref<Application> app = GetAppObject();
    const std::function<bool()> handler = app ? app->MenuHandler(item.Name()) : nullptr;
    if (handler && handler()) return;
    item.DefaultAction();
  });
}
