#pragma once
// The root of a menu tree: its children are the menus shown in the bar. On
// macOS the application's menu bar is the screen's; elsewhere it stands at
// the top of the main window.

#include "MenuItem.h"

class MenuBar : public MenuItem {
public:
  MenuBar();
};
