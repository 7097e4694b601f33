#pragma once
// The toolkit's side of a menu item: a QAction, the QMenu of its children when
// it has any, and for a menu bar its QMenuBar. For the framework only.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>

#include "RuntimeInternal.h"

class MenuItem;

class MenuItemQt {
public:
  MenuItemQt(MenuItem& owner, QAction::MenuRole role);
  ~MenuItemQt();

  QAction& Action() const { return *action_; }
  // The menu that shows the children, made on first use.
  QMenu& Menu();
  // Only a menu bar has one; nullptr for other items.
  QMenuBar* Bar() const { return bar_; }
  void MakeBar();
  // Shows child's action as the last entry of this item's menu or bar.
  void Attach(MenuItemQt& child);

private:
  std::unique_ptr<QAction> action_;
  std::unique_ptr<QMenu> menu_;
  QPointer<QMenuBar> bar_;
};

// Both run on the GUI thread, from the toolkit's signals; defined with the
// application object, which raises the events.
// Refreshes the enabled state of the application's menus, then raises its
// EnableMenuItems event.
void RaiseEnableMenuItems();
// The application's handler for the item's name, else the item's own action.
void ChooseMenuItem(MenuItem& item);
// Puts the application's menu bar where the platform shows it, now and
// whenever windows come and go.
void ShowApplicationMenuBar();
