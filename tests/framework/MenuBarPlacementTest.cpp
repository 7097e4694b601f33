#include <gtest/gtest.h>

#include <QMenuBar>

#include "internal/MenuItemQt.h"
#include "RecordingApp.h"
#include "TestWindow.h"

namespace {

// Where the application's menu bar stands on a platform without a screen
// menu bar: at the top of a window.
class MenuBarPlacement : public WindowTest {
 protected:
  void SetUp() override {
    InitRuntimeForTest();
    bar = New<MenuBar>();
    Ref<MenuItem> menu = New<MenuItem>();
    menu->SetName("FileMenu");
    menu->SetText("&Ablage");
    bar->Append(menu);
  }
  void RegisterApp() {
    app = New<RecordingApp>();
    app->SetMenuBar(bar);
    RuntimeRegisterAppObject(app);
  }
  static Ref<TestWindow> Built(bool menuBarVisible = true) {
    Ref<TestWindow> window = New<TestWindow>();
    window->SetMenuBarVisible(menuBarVisible);
    window->Constructor();
    return window;
  }
  QWidget* Holder() const { return bar->Qt().Bar() ? bar->Qt().Bar()->window() : nullptr; }

  Ref<MenuBar> bar;
  Ref<RecordingApp> app;
};

TEST_F(MenuBarPlacement, TheMenuBarStandsInTheFirstWindowThatShowsOneAndMovesOnWhenItCloses) {
  RegisterApp();
  Ref<TestWindow> plain = Built(false);
  Ref<TestWindow> main = Built();
  Ref<TestWindow> other = Built();
  ASSERT_NE(bar->Qt().Bar(), nullptr);
  EXPECT_EQ(Holder(), WindowWidgetOf(*main));
  EXPECT_TRUE(bar->Qt().Bar()->isVisible());
  main->Close();
  Settle();
  ASSERT_NE(bar->Qt().Bar(), nullptr) << "the bar outlives the window it stood in";
  EXPECT_EQ(Holder(), WindowWidgetOf(*other));
  other->Close();
  Settle();
  ASSERT_NE(bar->Qt().Bar(), nullptr);
  EXPECT_EQ(Holder(), bar->Qt().Bar()) << "the window that shows no bar does not take it";
  EXPECT_EQ(bar->Qt().Bar()->actions().size(), 1);
}

TEST_F(MenuBarPlacement, AWindowBuiltBeforeTheApplicationGetsItAtRegistration) {
  Ref<TestWindow> main = Built();
  EXPECT_EQ(Holder(), bar->Qt().Bar()) << "no application yet: the bar stands alone";
  RegisterApp();
  EXPECT_EQ(Holder(), WindowWidgetOf(*main));
}

TEST_F(MenuBarPlacement, ReleasingTheFrameworksObjectsTakesTheWindowsAndTheirBar) {
  RegisterApp();
  Ref<TestWindow> main = Built();
  RuntimeReleaseFrameworkObjects();
  EXPECT_EQ(WindowWidgetOf(*main), nullptr);
  EXPECT_EQ(bar->Qt().Bar(), nullptr);
  bar.Release();  // the menus go without the bar
}

}  // namespace
