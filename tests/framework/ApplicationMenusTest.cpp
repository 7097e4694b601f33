#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <map>

#include "internal/MenuItemQt.h"
#include "RecordingApp.h"

namespace {

using Lines = std::vector<std::string>;

Ref<MenuItem> Item(const std::string& name, const std::string& shortcut = "") {
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName(name);
  item->SetText(name);
  item->SetKeyboardShortcut(shortcut);
  return item;
}

// An application whose menu bar has one menu, "Menu", stands in a window
// with a text field that has the focus.
class ApplicationMenus : public testing::Test {
 protected:
  void SetUp() override {
    InitRuntimeForTest();
    app = New<RecordingApp>();
    RuntimeRegisterAppObject(app);
    Log().clear();
    Ref<MenuBar> bar = New<MenuBar>();
    bar->Append(Item("Menu"));
    app->SetMenuBar(bar);
  }

  void TearDown() override { window.reset(); }

  MenuItem& Add(const Ref<MenuItem>& item) {
    app->MenuBar()->Child("Menu")->Append(item);
    return *item;
  }

  QLineEdit& ShowWindowWithField(const QString& text) {
    window = std::make_unique<QMainWindow>();
    window->setMenuBar(app->MenuBar()->Qt().Bar());
    auto* field = new QLineEdit(text);
    window->setCentralWidget(field);
    window->show();
    window->activateWindow();
    field->setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(field->hasFocus());
    return *field;
  }

  void OpenMenu() {
    QMenu& menu = app->MenuBar()->Child("Menu")->Qt().Menu();
    menu.popup(QPoint(0, 0));
    menu.hide();
  }

  static void Choose(MenuItem& item) { item.Qt().Action().trigger(); }

  Ref<RecordingApp> app;
  std::unique_ptr<QMainWindow> window;
};

TEST_F(ApplicationMenus, EnableMenuItemsIsRaisedBeforeAMenuIsShownAfterAutoEnable) {
  MenuItem& automatic = Add(Item("Automatic"));
  MenuItem& manual = Add(Item("Manual"));
  MenuItem& revived = Add(Item("Revived"));
  MenuItem& copy = Add(Item("EditCopy", "Cmd+C"));
  for (MenuItem* item : {&manual, &revived}) item->SetAutoEnable(false);
  for (MenuItem* item : {&automatic, &manual, &revived}) item->SetEnabled(false);
  bool enabledBeforeEvent = false;
  app->onEnableMenuItems = [&] {
    enabledBeforeEvent = automatic.Enabled();
    revived.SetEnabled(true);
  };
  OpenMenu();
  EXPECT_EQ(Log(), Lines{"EnableMenuItems"});
  EXPECT_TRUE(enabledBeforeEvent) << "the event must see the automatic state";
  EXPECT_TRUE(automatic.Enabled());
  EXPECT_FALSE(manual.Enabled()) << "an item without AutoEnable keeps its state";
  EXPECT_TRUE(revived.Enabled());
  EXPECT_FALSE(copy.Enabled()) << "an edit item has nothing to copy from without a focused field";
  ShowWindowWithField("text");
  OpenMenu();
  EXPECT_TRUE(copy.Enabled());
}

TEST_F(ApplicationMenus, AShortcutRaisesEnableMenuItemsThenChoosesTheItem) {
  MenuItem& item = Add(Item("Thing", "Cmd+K"));
  item.SetAutoEnable(false);
  item.SetEnabled(false);
  app->onEnableMenuItems = [&] { item.SetEnabled(true); };
  app->AddMenuHandler("Thing", [] {
    Log().push_back("Thing chosen");
    return true;
  });
  QLineEdit& field = ShowWindowWithField("abc");
  QTest::keyClick(&field, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(Log(), (Lines{"EnableMenuItems", "Thing chosen"}));
  EXPECT_EQ(field.text(), QStringLiteral("abc"));
  Log().clear();
  QTest::keyClick(&field, Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(Log(), Lines{}) << "a key that is no shortcut of the menus raises nothing";
}

TEST_F(ApplicationMenus, AHandlerGoesByTheItemsNameAndMayLeaveTheDefaultAction) {
  MenuItem& selectAll = Add(Item("EditSelectAll"));
  bool handled = true;
  app->AddMenuHandler("EditSelectAll", [&] {
    Log().push_back("handler");
    return handled;
  });
  QLineEdit& field = ShowWindowWithField("hello");
  Choose(selectAll);
  EXPECT_EQ(Log(), Lines{"handler"});
  EXPECT_FALSE(field.hasSelectedText()) << "a handler that answers true replaces the default action";
  handled = false;
  Choose(selectAll);
  EXPECT_EQ(field.selectedText(), QStringLiteral("hello"));
}

TEST_F(ApplicationMenus, EditItemsWorkOnTheFocusedFieldWithoutHandlers) {
  std::map<std::string, MenuItem*> items;
  for (const char* name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
    items[name] = &Add(Item(name));
  QLineEdit& field = ShowWindowWithField("Disk");
  // Each step: a selection (start, length; -1 for none, cursor at the end for
  // -2), the item chosen, and the field's text afterwards.
  const std::tuple<int, int, const char*, const char*> steps[] = {
      {-1, 0, "EditSelectAll", "Disk"}, {-1, 0, "EditCopy", "Disk"}, {-2, 0, "EditPaste", "DiskDisk"},
      {-1, 0, "EditUndo", "Disk"},      {0, 2, "EditCut", "sk"},     {0, 0, "EditPaste", "Disk"},
      {0, 0, "EditClear", "Disk"},  // Clear without a selection deletes nothing
      {1, 2, "EditClear", "Dk"}};
  for (const auto& [start, length, name, text] : steps) {
    if (start == -2) field.end(false);
    if (start >= 0 && length == 0) field.setCursorPosition(start);
    if (length > 0) field.setSelection(start, length);
    Choose(*items[name]);
    EXPECT_EQ(field.text().toStdString(), text) << name;
  }
  field.selectAll();
  field.clearFocus();
  window->setFocus();
  Choose(*items["EditClear"]);
  EXPECT_EQ(field.text().toStdString(), "Dk") << "without a focused field the edit items do nothing";
}

}  // namespace
