#include "QuitMenuItem.h"

#include "Quit.h"

void QuitMenuItem::DefaultAction() { Quit(0); }
