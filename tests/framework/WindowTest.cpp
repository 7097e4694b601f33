#include <QMenuBar>
#include <QTest>

#include "ExceptionBoundary.h"
#include "Label.h"
#include "MessageRecorder.h"
#include "PushButton.h"
#include "RecordingApp.h"
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

TEST_F(WindowTest, TheImplicitInstanceLastsUntilTheWindowCloses) {
  auto window = New<TestWindow>("TestWindow.TestWindow");
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow").IsNil()) << "not before it is built";
  window->Constructor();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow") == Ref<Window>(window));
  EXPECT_TRUE(GetImplicitWindow("Other.Other").IsNil());
  window->Close();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow").IsNil());
  auto second = New<TestWindow>("TestWindow.TestWindow");
  second->Constructor();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow") == Ref<Window>(second)) << "a second window takes the place";
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

TEST_F(WindowTest, AnOpenWindowLivesOnWithoutTheProgramsReference) {
  std::weak_ptr<Window> weak = Build([](TestWindow&) {}).shared();
  ASSERT_FALSE(weak.expired());
  EXPECT_EQ(OpenWindows().size(), 1u);
  weak.lock()->Close();
  EXPECT_TRUE(OpenWindows().empty());
  Settle();
  EXPECT_TRUE(weak.expired()) << "a closed window is released with its widgets";
}

TEST_F(WindowTest, TheListSetsTitleFixedSizeAndButtonsAndAMenuBarGoesAboveTheContent) {
  auto window = New<TestWindow>();
  window->SetProperties(PropertyList()
                            .Integer("Width", 527)
                            .Integer("Height", 85)
                            .String("Title", "Tamberlow (Brisquel)")
                            .Boolean("Resizeable", false)
                            .Boolean("MaximizeButton", false)
                            .Boolean("MinimizeButton", true)
                            .Integer("Frame", 9)
                            .Bytes());
  window->Constructor();
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_EQ(widget->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "fixed";
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(widget->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(widget->isVisible()) << "changing the buttons after showing keeps the window shown";
  EXPECT_EQ(*window->KeptValue("Frame"), PropertyValue(9));
  auto* bar = new QMenuBar;
  bar->addMenu("&Ablage");
  SetWindowMenuBar(*window, bar);
  QApplication::processEvents();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(ContentAreaOf(*window)->y(), bar->height());
  EXPECT_EQ(widget->height(), 85 + bar->height());
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

TEST_F(WindowTest, AnExceptionInAHandlerCalledByTheToolkitIsReportedAndStopsThere) {
  InOwnProcess([] {
    Ref<PushButton> button;
    auto window = Build([&](TestWindow& w) {
      button = Add<PushButton>(w, "Btn");
      button->Action = [](PushButton&) { throw NilObjectException(); };
    });
    MessageRecorder messages;
    testing::internal::CaptureStderr();
    QTest::mouseClick(ControlWidgetOf(*button), Qt::LeftButton);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("NilObjectException"), std::string::npos) << messages.texts[0];
    EXPECT_TRUE(WindowWidgetOf(*window)->isVisible());
  });
}

}  // namespace
