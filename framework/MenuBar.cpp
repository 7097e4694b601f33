#include "MenuBar.h"

#include "MenuItemQt.h"

MenuBar::MenuBar() { Qt().MakeBar(); }
