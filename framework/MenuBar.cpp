#include "MenuBar.h"

#include "internal/MenuItemQt.h"

MenuBar::MenuBar() { Qt().MakeBar(); }
