#include "MenuBar1.h"

#include "App.h"
#include "AppleMenuItem.h"
#include "QuitMenuItem.h"

namespace {

Ref<app::MenuBar1> implicitInstance;

// What every menu, item and separator gets, in this order: its name,
// automatic enabling and its caption.
Ref<MenuItem> Named(const Ref<MenuItem>& item, const std::string& name, const std::string& text) {
  item->SetName(name);
  item->SetAutoEnable(true);
  item->SetText(text);
  return item;
}

void AddMenu(MenuBar& bar, const std::string& name, const std::string& text) {
  Ref<MenuItem> menu = Named(New<MenuItem>(), name, text);
  menu->SetKeyboardShortcut("");
  bar.Append(menu);
}

// The parent menu is looked up by name for every item.
void AddItem(MenuBar& bar, const std::string& menuName, const Ref<MenuItem>& item, const std::string& name,
                const std::string& text, const std::string& shortcut) {
  Named(item, name, text)->SetKeyboardShortcut(shortcut);
  bar.Child(menuName)->Append(item);
}

// A separator keeps the shortcut the framework gives a new item.
void AddSeparator(MenuBar& bar, const std::string& menuName, const std::string& name) {
  bar.Child(menuName)->Append(Named(New<MenuItem>(), name, "-"));
}

}  // namespace

namespace app {

MenuBar1::MenuBar1() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() {
  AddMenu(*this, "FileMenu", "&Ablage");
  AddItem(*this, "FileMenu", New<AppleMenuItem>(), "MnuAbout", App::LocMnuAbout(), "");
  AddItem(*this, "FileMenu", New<QuitMenuItem>(), "FileQuit", "Beenden", "Cmd+Q");
}

void MenuBar1::Untitled1() {
  AddMenu(*this, "EditMenu", "&Bearbeiten");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditUndo", "&Rückgängig", "Cmd+Z");
  AddSeparator(*this, "EditMenu", "UntitledMenu1");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditCut", "&Ausschneiden", "Cmd+X");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditCopy", "&Kopieren", "Cmd+C");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditPaste", "&Einfügen", "Cmd+V");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditClear", "&Löschen", "");
  AddSeparator(*this, "EditMenu", "UntitledMenu0");
  AddItem(*this, "EditMenu", New<MenuItem>(), "EditSelectAll", "&Alles auswählen", "Cmd+A");
}

}  // namespace app

Ref<app::MenuBar1> MenuBar1() {
  if (implicitInstance.IsNil()) implicitInstance = New<app::MenuBar1>();
  return implicitInstance;
}

void MenuBar1_Release() { implicitInstance.Release(); }
