#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "AppleMenuItem.h"
#include "MenuBar.h"
#include "QuitMenuItem.h"
#include "internal/MenuItemQt.h"

namespace {

Ref<MenuItem> Item(const std::string& name, const std::string& text, const std::string& shortcut = "") {
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName(name);
  item->SetText(text);
  item->SetKeyboardShortcut(shortcut);
  return item;
}

// The program's menus: built by name, looked up by name, and handed to the
// toolkit with their captions' bytes, mnemonics, separators and shortcuts.
TEST(MenuItem, MenusReachTheToolkitInOrderWithTheirCaptionsSeparatorsAndShortcuts) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu", "&Ablage"));
  bar->Append(Item("EditMenu", "&Bearbeiten"));
  const std::string undo =
      "&Ru\xCC\x88"
      "ckga\xCC\x88ngig";  // u and a with combining marks
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"Cmd+Z", QKeySequence(Qt::CTRL | Qt::Key_Z)}, {"", QKeySequence()}, {"", QKeySequence()}};
  bar->Child("EditMenu")->Append(Item("EditUndo", undo, "Cmd+Z"));
  bar->Child("EditMenu")->Append(Item("Sep", "-"));
  bar->Child("EditMenu")->Append(Item("EditCut", "--"));
  Ref<AppleMenuItem> about = New<AppleMenuItem>();
  about->SetName("MnuAbout");
  bar->Child("FileMenu")->Append(about);

  EXPECT_TRUE(bar->Child("MnuAbout").IsNil()) << "Child must not search below the direct children";
  EXPECT_TRUE(bar->Lookup("MnuAbout") == Ref<MenuItem>(about));
  EXPECT_TRUE(bar->Lookup("mnuabout").IsNil()) << "names compare exactly";
  const QList<QAction*> menus = bar->Qt().Bar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&Ablage");
  const QList<QAction*> edit = menus[1]->menu()->actions();
  ASSERT_EQ(edit.size(), 3);
  EXPECT_EQ(edit[0]->text().toUtf8().toStdString(), undo);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(edit[i]->isSeparator(), i == 1) << "only a lone minus is a separator";
    EXPECT_EQ(edit[i]->shortcut(), shortcuts[i].second) << i;
  }
  EXPECT_EQ(edit[1]->text(), QString()) << "a separator shows a line, no text";
  // Only the About and Quit kinds move to the platform's application menu.
  bar->Lookup("EditCut")->SetText("About Quillbarrow...");
  EXPECT_EQ(edit[2]->menuRole(), QAction::NoRole);
  EXPECT_EQ(about->Qt().Action().menuRole(), QAction::AboutRole);
  EXPECT_EQ(New<QuitMenuItem>()->Qt().Action().menuRole(), QAction::QuitRole);
}

}  // namespace
