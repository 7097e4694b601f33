#pragma once
// The application's one menu bar: the File menu with the About and Quit
// items, and the Edit menu with the standard editing items. Only the About
// item has a handler of the program (App); the framework quits for the Quit
// item and performs the editing commands for the Edit items by their names.

#include "MenuBar.h"
#include "Ref.h"

namespace app {

class MenuBar1 : public MenuBar {
public:
  // Builds both menus: Untitled0, then Untitled1.
  MenuBar1();
  // The File menu and its items.
  virtual void Untitled0();
  // The Edit menu and its items.
  virtual void Untitled1();
};

}  // namespace app

// The one menu bar, built with all its menus and items on the first call;
// later calls return the same object and build nothing.
Ref<app::MenuBar1> MenuBar1();
// Lets go of the one menu bar at the end of the program.
void MenuBar1_Release();
