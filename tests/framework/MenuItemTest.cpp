#include <gtest/gtest.h>

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "AppleMenuItem.h"
#include "MenuBar.h"
#include "MenuItemQt.h"
#include "QuitMenuItem.h"

namespace {

Ref<MenuItem> Item(const std::string& name, const std::string& text = "x") {
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName(name);
  item->SetText(text);
  return item;
}

TEST(MenuItem, AppendKeepsOrderAndChildFindsOnlyDirectChildren) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu"));
  bar->Append(Item("EditMenu"));
  bar->Child("FileMenu")->Append(Item("FileOpen"));
  bar->Child("FileMenu")->Append(Item("FileQuit"));

  ASSERT_EQ(bar->Count(), 2);
  EXPECT_EQ(bar->Item(0)->Name(), "FileMenu");
  EXPECT_EQ(bar->Item(1)->Name(), "EditMenu");
  EXPECT_EQ(bar->Child("FileMenu")->Item(1)->Name(), "FileQuit");
  EXPECT_TRUE(bar->Child("FileQuit").IsNil()) << "Child must not search below the direct children";
  EXPECT_TRUE(bar->Item(2).IsNil());
  EXPECT_TRUE(bar->Item(-1).IsNil());
  EXPECT_THROW(bar->Child("Nothing")->Append(Item("x")), NilObjectException);
}

TEST(MenuItem, LookupSearchesTheWholeTreeDepthFirst) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu"));
  bar->Append(Item("EditMenu"));
  Ref<MenuItem> sub = Item("Sub");
  bar->Child("EditMenu")->Append(sub);
  Ref<AppleMenuItem> about = New<AppleMenuItem>();
  about->SetName("MnuAbout");
  sub->Append(about);
  Ref<MenuItem> deep = bar->Lookup("MnuAbout");
  ASSERT_FALSE(deep.IsNil());
  EXPECT_EQ(deep.shared().get(), static_cast<MenuItem*>(about.shared().get()));
  EXPECT_NE(std::dynamic_pointer_cast<AppleMenuItem>(deep.shared()), nullptr);
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

TEST(MenuItem, MenusAndItemsReachTheToolkitInOrder) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("FileMenu", "&Ablage"));
  bar->Append(Item("EditMenu", "&Bearbeiten"));
  bar->Child("EditMenu")->Append(Item("EditUndo", "&Rückgängig"));
  bar->Child("EditMenu")->Append(Item("Sep", "-"));
  bar->Child("EditMenu")->Append(Item("EditCut", "&Ausschneiden"));

  QMenuBar* qbar = bar->Qt().Bar();
  ASSERT_NE(qbar, nullptr);
  const QList<QAction*> menus = qbar->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("&Ablage"));
  // An empty menu of the bar is still a menu, ready for its items.
  ASSERT_NE(menus[0]->menu(), nullptr);
  const QList<QAction*> edit = menus[1]->menu()->actions();
  ASSERT_EQ(edit.size(), 3);
  EXPECT_EQ(edit[0]->text().toUtf8().toStdString(), "&R\xC3\xBC" "ckg\xC3\xA4ngig");
  EXPECT_FALSE(edit[0]->isSeparator());
  EXPECT_TRUE(edit[1]->isSeparator());
  EXPECT_EQ(edit[2]->text(), QStringLiteral("&Ausschneiden"));
  EXPECT_EQ(bar->Lookup("Sep")->Text(), "-");
}

TEST(MenuItem, CaptionsKeepTheirBytes) {
  const std::string decomposed = "&Ru\xCC\x88" "ckga\xCC\x88ngig";  // u and a with combining marks
  Ref<MenuItem> item = Item("EditUndo", decomposed);
  EXPECT_EQ(item->Text(), decomposed);
  EXPECT_EQ(item->Qt().Action().text().toUtf8().toStdString(), decomposed);
  item->SetText("Beenden");
  EXPECT_FALSE(item->Qt().Action().isSeparator());
  item->SetText("-");
  EXPECT_EQ(item->Text(), "-");
  EXPECT_TRUE(item->Qt().Action().isSeparator());
  EXPECT_EQ(item->Qt().Action().text(), QString()) << "a separator shows a line, no text";
  item->SetText("--");
  EXPECT_FALSE(item->Qt().Action().isSeparator()) << "only a lone minus is a separator";
}

TEST(MenuItem, CmdShortcutsUseTheCommandModifier) {
  Ref<MenuItem> item = Item("FileQuit", "Beenden");
  EXPECT_EQ(item->KeyboardShortcut(), "");
  EXPECT_TRUE(item->Qt().Action().shortcut().isEmpty());
  item->SetKeyboardShortcut("Cmd+Q");
  EXPECT_EQ(item->KeyboardShortcut(), "Cmd+Q");
  EXPECT_EQ(item->Qt().Action().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  item->SetKeyboardShortcut("Cmd+A");
  EXPECT_EQ(item->Qt().Action().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
  item->SetKeyboardShortcut("");
  EXPECT_EQ(item->KeyboardShortcut(), "");
  EXPECT_TRUE(item->Qt().Action().shortcut().isEmpty());
}

TEST(MenuItem, AboutAndQuitKindsTakeThePlatformRoles) {
  Ref<AppleMenuItem> about = New<AppleMenuItem>();
  Ref<QuitMenuItem> quit = New<QuitMenuItem>();
  // A plain item is never moved by the toolkit, whatever its caption says.
  Ref<MenuItem> plain = Item("Other", "About Quillbarrow...");
  EXPECT_EQ(about->Qt().Action().menuRole(), QAction::AboutRole);
  EXPECT_EQ(quit->Qt().Action().menuRole(), QAction::QuitRole);
  EXPECT_EQ(plain->Qt().Action().menuRole(), QAction::NoRole);
}

TEST(MenuItem, EnabledAndAutoEnableAreKept) {
  Ref<MenuItem> item = Item("Thing");
  EXPECT_TRUE(item->Enabled());
  EXPECT_TRUE(item->AutoEnable());
  item->SetEnabled(false);
  item->SetAutoEnable(false);
  EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(item->Qt().Action().isEnabled());
  EXPECT_FALSE(item->AutoEnable());
}

}  // namespace
