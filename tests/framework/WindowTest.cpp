#include <QWidget>

#include "Label.h"
#include "TestWindow.h"

namespace {

TEST_F(WindowTest, BuildingRaisesLayoutAndCreateControlsThenShowsThenOpensTheControls) {
  for (const bool visible : {true, false}) {
    auto window = New<TestWindow>();
    bool shownAtOpen = !visible;
    window->onLayout = [&](TestWindow& w) {
      w.SetProperties(PropertyList().Integer("Width", 200).Boolean("Visible", visible).Bytes());
    };
    window->onCreateControls = [&](TestWindow& w) {
      for (const char* name : {"First", "Second"}) {
        Add<Label>(w, name)->Open = [&, name](Label&) {
          w.events.push_back(std::string("Open ") + name);
          shownAtOpen = WindowWidgetOf(w)->isVisible();
        };
      }
    };
    window->Constructor();
    EXPECT_EQ(window->events, (std::vector<std::string>{"Layout", "CreateControls", "Open First", "Open Second"}));
    EXPECT_EQ(shownAtOpen, visible) << "a window not Visible is built but not shown";
    EXPECT_EQ(window->Width(), 200);
    EXPECT_EQ(window->ControlByName("Second")->Name(), "Second");
    EXPECT_TRUE(window->ControlByName("Third").IsNil());
    window->Show();
    EXPECT_TRUE(WindowWidgetOf(*window)->isVisible());
  }
  TestWindow loose;
  EXPECT_THROW(loose.Constructor(), RuntimeException) << "a window must be held by a Ref to be built";
}

// Window.Close, the close button and the application's quitting all raise
// CancelClose, which can refuse, then Close, then the controls' Close, once.
TEST_F(WindowTest, ClosingAsksCancelCloseThenClosesTheWindowThenItsControlsOnce) {
  const std::pair<CloseReason, bool> reasons[] = {
      {CloseReason::Program, false}, {CloseReason::User, false}, {CloseReason::AppQuitting, true}};
  for (const auto& [reason, quitting] : reasons) {
    auto window =
        Build([](TestWindow& w) { Add<Label>(w, "Lbl")->Close = [&w](Label&) { w.events.push_back("Label Close"); }; });
    window->onClose = [](TestWindow& w) { w.Close(); };  // a close requested while closing
    window->refuseClose = true;
    const auto close = [&, reason = reason] {
      if (reason == CloseReason::User) return WindowWidgetOf(*window)->close();
      if (reason == CloseReason::AppQuitting) return CloseWindow(*window, reason);
      window->Close();
      return window->IsClosed();
    };
    EXPECT_FALSE(close());
    EXPECT_TRUE(WindowWidgetOf(*window)->isVisible()) << "a refused close leaves the window open";
    window->refuseClose = false;
    EXPECT_TRUE(close());
    EXPECT_FALSE(WindowWidgetOf(*window)->isVisible());
    Settle();
    EXPECT_EQ(WindowWidgetOf(*window), nullptr) << "the widgets go once the window has closed";
    window->Close();
    window->Show();
    EXPECT_EQ(window->events, (std::vector<std::string>{"Layout", "CreateControls", "CancelClose", "CancelClose",
                                                        "Close", "Label Close"}));
    EXPECT_EQ(window->cancelCloseQuitting, std::vector<bool>(2, quitting));
  }
}

TEST_F(WindowTest, AControlLockedToTheRightOrBottomFollowsTheWindowsEdge) {
  const std::pair<bool, QRect> locks[] = {{true, QRect(10, 10, 150, 20)}, {false, QRect(10, 70, 100, 20)}};
  for (const auto& [right, after] : locks) {
    Ref<Label> label;
    auto window = Build([&](TestWindow& w) {
      w.SetResizeable(true);
      label = Add<Label>(w, "Lbl",
                         PropertyList()
                             .Integer("Left", 10)
                             .Integer("Top", 10)
                             .Integer("Width", 100)
                             .Integer("Height", 20)
                             .Boolean("LockRight", right)
                             .Boolean("LockBottom", !right)
                             .Boolean("LockTop", right)
                             .Bytes());
    });
    WindowWidgetOf(*window)->resize(450, 180);
    EXPECT_EQ(window->Width(), 450);
    EXPECT_EQ(ControlWidgetOf(*label)->geometry(), after) << right;
  }
}

}  // namespace
