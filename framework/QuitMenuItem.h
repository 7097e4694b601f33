#pragma once
// The application's Quit item: choosing it quits the application, with no
// handler of the program. The platform may show it in its own application menu.

#include "MenuItem.h"

class QuitMenuItem : public MenuItem {
public:
  QuitMenuItem() : MenuItem(Role::Quit) {}
  void DefaultAction() override;
};
