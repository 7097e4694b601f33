#pragma once
// The application object: one per process, made the application by
// RuntimeRegisterAppObject. A subclass handles the events it needs by
// overriding them. The framework raises:
// - Open when the object is registered, so during start-up and before any
//   window that start-up builds afterwards;
// - Close once, when the application quits, before the event loop returns;
// - EnableMenuItems before a menu is shown and before a menu item's keyboard
//   shortcut is carried out, after the items with AutoEnable were enabled.

#include <functional>
#include <map>
#include <string>

#include "MenuBar.h"
#include "Ref.h"

class Application {
public:
  Application() = default;
  virtual ~Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  virtual void Event_Open() {}
  virtual void Event_Close() {}
  virtual void Event_EnableMenuItems() {}

  // The menu bar that the application shows.
  const Ref<::MenuBar>& MenuBar() const { return menuBar_; }
  void SetMenuBar(const Ref<::MenuBar>& menuBar);

  // handler runs when a menu item of that name is chosen. It answers true when
  // it handled the choice; false lets the item do its own default action.
  void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
  // The handler for that name; an empty function when there is none.
  std::function<bool()> MenuHandler(const std::string& itemName) const;

private:
  Ref<::MenuBar> menuBar_;
  std::map<std::string, std::function<bool()>> handlers_;
};
