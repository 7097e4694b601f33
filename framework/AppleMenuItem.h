#pragma once
// The application's About item. The platform may show it in its own
// application menu rather than where it was appended.

#include "MenuItem.h"

class AppleMenuItem : public MenuItem {
public:
  AppleMenuItem() : MenuItem(Role::About) {}
};
