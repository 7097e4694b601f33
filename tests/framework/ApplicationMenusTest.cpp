#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "MenuItemQt.h"
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

TEST_F(ApplicationMenus, EnableMenuItemsIsRaisedBeforeAMenuIsShown) {
  MenuItem& item = Add(Item("Thing"));
  item.SetAutoEnable(false);
  item.SetEnabled(false);
  app->onEnableMenuItems = [&] { item.SetEnabled(true); };
  OpenMenu();
  EXPECT_EQ(Log(), Lines{"EnableMenuItems"});
  EXPECT_TRUE(item.Enabled());
}

TEST_F(ApplicationMenus, AutoEnableItemsAreEnabledAfreshOthersKeepTheirState) {
  MenuItem& automatic = Add(Item("Automatic"));
  MenuItem& manual = Add(Item("Manual"));
  manual.SetAutoEnable(false);
  automatic.SetEnabled(false);
  manual.SetEnabled(false);
  bool enabledBeforeEvent = false;
  app->onEnableMenuItems = [&] { enabledBeforeEvent = automatic.Enabled(); };
  OpenMenu();
  EXPECT_TRUE(enabledBeforeEvent) << "the event must see the automatic state";
  EXPECT_TRUE(automatic.Enabled());
  EXPECT_FALSE(manual.Enabled());
}

TEST_F(ApplicationMenus, EditItemsAreEnabledOnlyWithAFocusedTextField) {
  MenuItem& copy = Add(Item("EditCopy", "Cmd+C"));
  OpenMenu();
  EXPECT_FALSE(copy.Enabled()) << "nothing to copy from";
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
  MenuItem& undo = Add(Item("EditUndo"));
  MenuItem& cut = Add(Item("EditCut"));
  MenuItem& copy = Add(Item("EditCopy"));
  MenuItem& paste = Add(Item("EditPaste"));
  MenuItem& clear = Add(Item("EditClear"));
  MenuItem& selectAll = Add(Item("EditSelectAll"));
  QLineEdit& field = ShowWindowWithField("Disk");

  Choose(selectAll);
  EXPECT_EQ(field.selectedText(), QStringLiteral("Disk"));
  Choose(copy);
  field.end(false);
  Choose(paste);
  EXPECT_EQ(field.text(), QStringLiteral("DiskDisk"));
  Choose(undo);
  EXPECT_EQ(field.text(), QStringLiteral("Disk"));

  field.setSelection(0, 2);
  Choose(cut);
  EXPECT_EQ(field.text(), QStringLiteral("sk"));
  field.home(false);
  Choose(paste);
  EXPECT_EQ(field.text(), QStringLiteral("Disk"));

  field.home(false);
  Choose(clear);
  EXPECT_EQ(field.text(), QStringLiteral("Disk")) << "Clear without a selection deletes nothing";
  field.setSelection(1, 2);
  Choose(clear);
  EXPECT_EQ(field.text(), QStringLiteral("Dk"));
}

TEST_F(ApplicationMenus, EditItemsWithoutAFocusedFieldDoNothing) {
  MenuItem& clear = Add(Item("EditClear"));
  QLineEdit& field = ShowWindowWithField("Disk");
  field.selectAll();
  field.clearFocus();
  window->setFocus();
  Choose(clear);
  EXPECT_EQ(field.text(), QStringLiteral("Disk"));
}

}  // namespace
