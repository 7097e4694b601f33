// The application's menus, and where the menu bar stands on a platform
// without a screen menu bar.

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <map>

#include "Fixtures.h"
#include "TextField.h"
#include "internal/MenuItemQt.h"

namespace {

using ApplicationMenus = WindowTest;

Ref<MenuItem> Item(const std::string& name, const std::string& shortcut = "") {
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName(name);
  item->SetText(name);
  item->SetKeyboardShortcut(shortcut);
  return item;
}

Ref<RecordingApp> RegisterAppWithMenu(const std::vector<Ref<MenuItem>>& items) {
  Ref<MenuBar> bar = New<MenuBar>();
  bar->Append(Item("Menu"));
  for (const Ref<MenuItem>& item : items) bar->Child("Menu")->Append(item);
  Ref<RecordingApp> app = New<RecordingApp>();
  app->SetMenuBar(bar);
  RuntimeRegisterAppObject(app);
  appLog.clear();
  return app;
}

void OpenMenu() {
  QMenu& menu = GetAppObject()->MenuBar()->Child("Menu")->Qt().Menu();
  menu.popup(QPoint(0, 0));
  menu.hide();
}

TEST_F(ApplicationMenus, EnableMenuItemsComesBeforeAMenuOrAShortcutAndEditItemsWorkOnTheFocusedField) {
  InOwnProcess([] {
    std::map<std::string, Ref<MenuItem>> items;
    std::vector<Ref<MenuItem>> menu;
    for (const char* name : {"Automatic", "Manual", "Thing", "EditUndo", "EditCut", "EditCopy", "EditPaste",
                             "EditClear", "EditSelectAll", "-", "--"})
      menu.push_back(items[name] = Item(name, name == std::string("Thing") ? "Cmd+K" : ""));
    // The toolkit gets the captions' bytes and mnemonics, and a line for a lone minus only.
    const std::string undo =
        "&R\xC3\xBC"
        "ckg\xC3\xA4ngig";
    items["EditUndo"]->SetText(undo);
    MenuItem &automatic = *items["Automatic"], &manual = *items["Manual"], &thing = *items["Thing"];
    for (MenuItem* item : {&manual, &thing}) item->SetAutoEnable(false);
    Ref<RecordingApp> app = RegisterAppWithMenu(menu);
    const QList<QAction*> actions = app->MenuBar()->Child("Menu")->Qt().Menu().actions();
    ASSERT_EQ(actions.size(), 11);
    EXPECT_EQ(actions[3]->text().toUtf8().toStdString(), undo);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(actions[i]->isSeparator(), i == 9) << i;
    for (MenuItem* item : {&automatic, &manual, &thing}) item->SetEnabled(false);
    app->onEnableMenuItems = [&] {
      EXPECT_TRUE(automatic.Enabled()) << "the event sees the automatic state";
      thing.SetEnabled(true);
    };
    OpenMenu();
    EXPECT_FALSE(manual.Enabled()) << "an item without AutoEnable keeps its state";
    EXPECT_FALSE(items["EditCopy"]->Enabled()) << "an edit item has nothing to copy from without a focused field";
    bool handled = true;
    for (const char* name : {"Thing", "EditSelectAll"})
      app->AddMenuHandler(name, [&, name] {
        appLog.push_back(name);
        return handled;
      });
    Ref<TextField> edf;
    Ref<TestWindow> window = Build([&](TestWindow& w) { edf = Add<TextField>(w, "Edf"); });
    edf->SetText("Disk");
    ASSERT_TRUE(QTest::qWaitForWindowActive(WindowWidgetOf(*window)));
    QLineEdit& field = *static_cast<QLineEdit*>(ControlWidgetOf(*edf));
    ASSERT_TRUE(field.hasFocus());
    OpenMenu();
    EXPECT_TRUE(items["EditCopy"]->Enabled());
    thing.SetEnabled(false);
    QTest::keyClick(&field, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(appLog, (Lines{"EnableMenuItems", "EnableMenuItems", "EnableMenuItems", "Thing"}));
    items["EditSelectAll"]->Qt().Action().trigger();
    EXPECT_FALSE(field.hasSelectedText()) << "a handler that answers true replaces the default action";
    handled = false;
    // Each step: a selection (start, length; -1 for none, -2 for the cursor at
    // the end), the item chosen, and the field's text afterwards.
    const std::tuple<int, int, const char*, const char*> steps[] = {
        {-1, 0, "EditSelectAll", "Disk"}, {-1, 0, "EditCopy", "Disk"}, {-2, 0, "EditPaste", "DiskDisk"},
        {-1, 0, "EditUndo", "Disk"},      {0, 2, "EditCut", "sk"},     {0, 0, "EditPaste", "Disk"},
        {0, 0, "EditClear", "Disk"},  // Clear without a selection deletes nothing
        {1, 2, "EditClear", "Dk"}};
    for (const auto& [start, length, name, text] : steps) {
      if (start == -2) field.end(false);
      if (start >= 0 && length == 0) field.setCursorPosition(start);
      if (length > 0) field.setSelection(start, length);
      items[name]->Qt().Action().trigger();
      EXPECT_EQ(field.text().toStdString(), text) << name;
    }
  });
}

TEST_F(ApplicationMenus, TheMenuBarStandsInTheFirstWindowThatShowsOneAndMovesOnWhenItCloses) {
  InOwnProcess([] {
    const auto built = [](bool menuBarVisible) {
      Ref<TestWindow> window = New<TestWindow>();
      window->SetMenuBarVisible(menuBarVisible);
      window->Constructor();
      return window;
    };
    Ref<TestWindow> plain = built(false), main = built(true);
    RegisterAppWithMenu({});
    QMenuBar* bar = GetAppObject()->MenuBar()->Qt().Bar();
    EXPECT_EQ(bar->window(), WindowWidgetOf(*main)) << "a window built before the application gets it then";
    Ref<TestWindow> other = built(true);
    main->Close();
    WindowTest::Settle();
    EXPECT_EQ(bar->window(), WindowWidgetOf(*other)) << "the bar outlives the window it stood in";
    other->Close();
    WindowTest::Settle();
    EXPECT_EQ(bar->window(), bar) << "the window that shows no bar does not take it";
  });
}

}  // namespace
