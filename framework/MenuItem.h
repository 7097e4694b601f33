#pragma once
// A menu item: a menu, an item in a menu, or a separator. An item that has
// children is shown as a menu of them; the items of a menu bar are its menus.
//
// Text conventions: "&" stands before the mnemonic letter, and "-" alone makes
// the item a separator line. A shortcut has the form "Cmd+" and a key, where
// Cmd is the platform's command modifier (Ctrl on Linux).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Ref.h"

class MenuItemQt;

class MenuItem {
public:
  MenuItem();
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // The name that Child, Lookup and the application's menu handlers go by.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);

  // "" for none.
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void SetKeyboardShortcut(const std::string& shortcut);

  // An item with AutoEnable is enabled afresh each time the menus are about to
  // be used; the application's EnableMenuItems event comes after that.
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }

  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Makes item the last child of this one. An item belongs to one parent only.
  void Append(const Ref<MenuItem>& item);
  int32_t Count() const { return static_cast<int32_t>(children_.size()); }
  // The child at index (from 0); nil when there is none.
  Ref<MenuItem> Item(int32_t index) const;
  // The direct child of that name; nil when there is none.
  Ref<MenuItem> Child(const std::string& name) const;
  // The first item of that name anywhere below this one, depth first; nil when
  // there is none.
  Ref<MenuItem> Lookup(const std::string& name) const;

  // What choosing the item does when no menu handler of the application took
  // it: the standard editing command for the Edit items, nothing for others.
  virtual void DefaultAction();

  // The toolkit's side of the item; for the framework only.
  MenuItemQt& Qt() const { return *qt_; }

protected:
  // The platform's special places for an application's About and Quit items.
  enum class Role { Plain, About, Quit };
  explicit MenuItem(Role role);

private:
  std::unique_ptr<MenuItemQt> qt_;
  std::string name_, text_, shortcut_;
  bool autoEnable_ = true;
  MenuItem* parent_ = nullptr;
  std::vector<Ref<MenuItem>> children_;
};
