#include <gtest/gtest.h>

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "AppleMenuItem.h"
#include "MenuBar.h"
#include "internal/MenuItemQt.h"
#include "QuitMenuItem.h"

namespace {

Ref<MenuItem> Item(const std::string& name, const std::string& text = "x") {
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName(name);
  item->SetText(text);
  return item;
}

TEST(MenuItem, ChildFindsDirectChildrenAndLookupTheWholeTree) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu"));
  bar->Append(Item("EditMenu"));
  bar->Child("FileMenu")->Append(Item("FileOpen"));
  bar->Child("FileMenu")->Append(Item("FileQuit"));
  Ref<AppleMenuItem> about = New<AppleMenuItem>();
  about->SetName("MnuAbout");
  bar->Child("FileMenu")->Item(1)->Append(about);

  ASSERT_EQ(bar->Count(), 2);
  EXPECT_EQ(bar->Item(1)->Name(), "EditMenu");
  EXPECT_EQ(bar->Child("FileMenu")->Item(1)->Name(), "FileQuit");
  EXPECT_TRUE(bar->Child("FileQuit").IsNil()) << "Child must not search below the direct children";
  EXPECT_TRUE(bar->Item(2).IsNil());
  EXPECT_TRUE(bar->Item(-1).IsNil());
  EXPECT_THROW(bar->Child("Nothing")->Append(Item("x")), NilObjectException);
  Ref<MenuItem> deep = bar->Lookup("MnuAbout");
  ASSERT_FALSE(deep.IsNil());
  EXPECT_EQ(deep.shared().get(), static_cast<MenuItem*>(about.shared().get()));
  EXPECT_TRUE(bar->Lookup("mnuabout").IsNil()) << "names compare exactly";
  EXPECT_TRUE(bar->Lookup("Missing").IsNil());
}

TEST(MenuItem, AnItemHasOneParentAndNoCycles) {
  Ref<MenuItem> menu = Item("Menu");
  Ref<MenuItem> child = Item("Child");
  menu->Append(child);
  Ref<MenuItem> other = Item("Other");
  EXPECT_THROW(other->Append(child), RuntimeException);
  EXPECT_THROW(child->Append(menu), RuntimeException);
  EXPECT_THROW(menu->Append(menu), RuntimeException);
  EXPECT_THROW(menu->Append(nullptr), NilObjectException);
  EXPECT_EQ(menu->Count(), 1);
  EXPECT_EQ(other->Count(), 0);
}

TEST(MenuItem, MenusAndItemsReachTheToolkitInOrderWithTheirBytes) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu", "&Ablage"));
  bar->Append(Item("EditMenu", "&Bearbeiten"));
  const std::string decomposed =
      "&Ru\xCC\x88"
      "ckga\xCC\x88ngig";  // u and a with combining marks
  bar->Child("EditMenu")->Append(Item("EditUndo", decomposed));
  bar->Child("EditMenu")->Append(Item("Sep", "-"));
  bar->Child("EditMenu")->Append(Item("EditCut", "--"));

  QMenuBar* qbar = bar->Qt().Bar();
  ASSERT_NE(qbar, nullptr);
  const QList<QAction*> menus = qbar->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("&Ablage"));
  ASSERT_NE(menus[0]->menu(), nullptr) << "an empty menu of the bar is still a menu";
  const QList<QAction*> edit = menus[1]->menu()->actions();
  ASSERT_EQ(edit.size(), 3);
  EXPECT_EQ(edit[0]->text().toUtf8().toStdString(), decomposed);
  EXPECT_EQ(bar->Lookup("EditUndo")->Text(), decomposed);
  EXPECT_FALSE(edit[0]->isSeparator());
  EXPECT_TRUE(edit[1]->isSeparator());
  EXPECT_EQ(edit[1]->text(), QString()) << "a separator shows a line, no text";
  EXPECT_EQ(bar->Lookup("Sep")->Text(), "-");
  EXPECT_FALSE(edit[2]->isSeparator()) << "only a lone minus is a separator";
  bar->Lookup("Sep")->SetText("Beenden");
  EXPECT_FALSE(bar->Lookup("Sep")->Qt().Action().isSeparator());
}

TEST(MenuItem, ShortcutsRolesAndEnabling) {
  Ref<MenuItem> item = Item("FileQuit", "Beenden");
  EXPECT_TRUE(item->Qt().Action().shortcut().isEmpty());
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"Cmd+Q", QKeySequence(Qt::CTRL | Qt::Key_Q)}, {"Cmd+A", QKeySequence(Qt::CTRL | Qt::Key_A)}, {"", {}}};
  for (const auto& [text, keys] : shortcuts) {
    item->SetKeyboardShortcut(text);
    EXPECT_EQ(item->KeyboardShortcut(), text);
    EXPECT_EQ(item->Qt().Action().shortcut(), keys) << text;
  }
  EXPECT_TRUE(item->AutoEnable());
  item->SetEnabled(false);
  EXPECT_FALSE(item->Qt().Action().isEnabled());
  // A plain item is never moved by the toolkit, whatever its caption says.
  item->SetText("About Quillbarrow...");
  EXPECT_EQ(item->Qt().Action().menuRole(), QAction::NoRole);
  EXPECT_EQ(New<AppleMenuItem>()->Qt().Action().menuRole(), QAction::AboutRole);
  EXPECT_EQ(New<QuitMenuItem>()->Qt().Action().menuRole(), QAction::QuitRole);
}

}  // namespace
