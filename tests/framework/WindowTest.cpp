#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTest>

#include "ExceptionBoundary.h"
#include "Label.h"
#include "MessageRecorder.h"
#include "PushButton.h"
#include "TestWindow.h"
#include "TextField.h"

namespace {

Ref<TestWindow> NewWindow(const std::string& name = "") {
  return New<TestWindow>(name);
}

TEST_F(WindowTest, BuildingRaisesLayoutAndCreateControlsThenShowsThenOpensTheControls) {
  for (const bool visible : {true, false}) {
    auto window = NewWindow();
    bool shownAtOpen = !visible;
    window->onLayout = [&](TestWindow& w) {
      w.SetProperties(PropertyList().Integer("Width", 200).Boolean("Visible", visible).Bytes());
    };
    window->onCreateControls = [&](TestWindow& w) {
      for (const char* name : {"First", "Second"}) {
        auto label = New<Label>(w);
        w.AddControl(name, label);
        label->Open = [&, name](Label&) {
          w.events.push_back(std::string("Open ") + name);
          shownAtOpen = WindowWidgetOf(w)->isVisible();
        };
      }
    };
    window->Constructor();
    EXPECT_EQ(window->events, (std::vector<std::string>{"Layout", "CreateControls", "Open First", "Open Second"}))
        << visible;
    EXPECT_EQ(shownAtOpen, visible) << "a window not Visible is built but not shown";
    EXPECT_EQ(window->Width(), 200);
    window->Show();
    EXPECT_TRUE(WindowWidgetOf(*window)->isVisible());
  }
  TestWindow loose;
  EXPECT_THROW(loose.Constructor(), RuntimeException) << "a window must be held by a Ref to be built";
}

TEST_F(WindowTest, TheImplicitInstanceLastsUntilTheWindowCloses) {
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow").IsNil());
  auto window = NewWindow("TestWindow.TestWindow");
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow").IsNil()) << "not before it is built";
  window->Constructor();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow") == Ref<Window>(window));
  EXPECT_TRUE(GetImplicitWindow("Other.Other").IsNil());
  window->Close();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow").IsNil());
  // A second window of the class takes the place.
  auto second = NewWindow("TestWindow.TestWindow");
  second->Constructor();
  EXPECT_TRUE(GetImplicitWindow("TestWindow.TestWindow") == Ref<Window>(second));
}

TEST_F(WindowTest, CloseRaisesCancelCloseWhichCanRefuseThenCloseOnlyOnce) {
  auto window = NewWindow("TestWindow.TestWindow");
  window->onClose = [](TestWindow& w) { w.Close(); };  // a close requested while closing
  window->Constructor();
  window->refuseClose = true;
  window->Close();
  EXPECT_FALSE(window->IsClosed());
  EXPECT_TRUE(WindowWidgetOf(*window)->isVisible());
  EXPECT_FALSE(GetImplicitWindow("TestWindow.TestWindow").IsNil());
  window->refuseClose = false;
  window->Close();
  EXPECT_TRUE(window->IsClosed());
  EXPECT_FALSE(WindowWidgetOf(*window)->isVisible());
  EXPECT_EQ(window->cancelCloseQuitting, (std::vector<bool>{false, false}));
  Settle();
  EXPECT_EQ(WindowWidgetOf(*window), nullptr) << "the widgets go once the window has closed";
  window->Close();
  window->Show();
  EXPECT_EQ(window->events,
            (std::vector<std::string>{"Layout", "CreateControls", "CancelClose", "CancelClose", "Close"}))
      << "a closed window does nothing more";
}

TEST_F(WindowTest, TheCloseButtonRunsTheSameProtocolAndTellsTheHook) {
  std::vector<std::pair<Window*, CloseReason>> closed;
  OnWindowClosed([&](Window& w, CloseReason reason) { closed.emplace_back(&w, reason); });
  auto window = NewWindow();
  window->Constructor();
  window->refuseClose = true;
  EXPECT_FALSE(WindowWidgetOf(*window)->close()) << "a refused close leaves the window open";
  EXPECT_TRUE(closed.empty());
  window->refuseClose = false;
  EXPECT_TRUE(WindowWidgetOf(*window)->close());
  EXPECT_EQ(window->events.back(), "Close");
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(closed[0].first, &*window);
  EXPECT_EQ(closed[0].second, CloseReason::User);
  auto quitting = NewWindow();
  quitting->Constructor();
  EXPECT_TRUE(CloseWindow(*quitting, CloseReason::AppQuitting));
  EXPECT_EQ(quitting->cancelCloseQuitting, std::vector<bool>{true}) << "CancelClose is told the application quits";
}

TEST_F(WindowTest, AnOpenWindowLivesOnWithoutTheProgramsReference) {
  std::weak_ptr<Window> weak;
  {
    auto window = NewWindow();
    window->Constructor();
    weak = window.shared();
  }
  ASSERT_FALSE(weak.expired());
  EXPECT_EQ(OpenWindows().size(), 1u);
  weak.lock()->Close();
  EXPECT_TRUE(OpenWindows().empty());
  Settle();
  EXPECT_TRUE(weak.expired()) << "a closed window is released with its widgets";
}

TEST_F(WindowTest, TheBuiltHookSeesTheControlsBeforeTheWindowShows) {
  std::vector<size_t> seen;
  bool visible = true;
  OnWindowBuilt([&](Window& w) {
    seen.push_back(w.Controls().size());
    visible = WindowWidgetOf(w)->isVisible();
  });
  auto window = NewWindow();
  window->onCreateControls = [](TestWindow& w) { w.AddControl("Only", New<Label>(w)); };
  window->Constructor();
  EXPECT_EQ(seen, std::vector<size_t>{1});
  EXPECT_FALSE(visible);
}

TEST_F(WindowTest, ControlsAreFoundByTheNameTheyWereAddedUnder) {
  auto unbuilt = NewWindow();
  EXPECT_THROW(New<Label>(*unbuilt), RuntimeException) << "controls come with CreateControls";
  auto window = NewWindow();
  auto other = NewWindow();
  window->Constructor();
  other->Constructor();
  auto label = New<Label>(*window);
  window->AddControl("LblOne", label);
  EXPECT_TRUE(ControlWidgetOf(*label)->isVisible()) << "a control made in an open window shows at once";
  EXPECT_TRUE(window->ControlByName("LblOne") == Ref<RectControl>(label));
  EXPECT_TRUE(window->ControlByName("LblTwo").IsNil());
  EXPECT_TRUE(RefCast<TextField>(window->ControlByName("LblOne")).IsNil()) << "not a text field";
  EXPECT_THROW(window->AddControl("LblOne", New<Label>(*window)), RuntimeException);
  EXPECT_THROW(window->AddControl("Stray", New<Label>(*other)), RuntimeException);
  EXPECT_THROW(RefCast<Label>(window->ControlByName("LblTwo"))->SetText("x"), NilObjectException);
}

TEST_F(WindowTest, TheListSetsTitleFixedSizeAndButtons) {
  auto window = NewWindow();
  window->SetProperties(PropertyList()
                            .Integer("Width", 527)
                            .Integer("Height", 85)
                            .Integer("MinWidth", 64)
                            .Integer("MaxWidth", 32000)
                            .String("Title", "Tamberlow (Brisquel)")
                            .Boolean("CloseButton", true)
                            .Boolean("Resizeable", false)
                            .Boolean("MaximizeButton", false)
                            .Boolean("MinimizeButton", true)
                            .Integer("Frame", 9)
                            .Colour("BackColor", Color::FromRGB(0x3090FF))
                            .Boolean("HasBackColor", false)
                            .Bytes());
  EXPECT_EQ(ContentAreaOf(*window), nullptr) << "no widgets before the window is built";
  window->Constructor();
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_EQ(widget->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(widget->minimumSize(), QSize(527, 85));
  EXPECT_EQ(widget->maximumSize(), QSize(527, 85));
  const Qt::WindowFlags flags = widget->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(widget->isVisible()) << "changing the buttons after showing keeps the window shown";
  EXPECT_EQ(*window->KeptValue("Frame"), PropertyValue(9));
  QWidget* content = ContentAreaOf(*window);
  EXPECT_FALSE(content->autoFillBackground()) << "the back colour fills the content only when asked";
  window->SetHasBackColor(true);
  EXPECT_TRUE(content->autoFillBackground());
  EXPECT_EQ(content->palette().color(QPalette::Window), QColor(0x30, 0x90, 0xFF));
}

TEST_F(WindowTest, AResizeableWindowKeepsItsLimitsAndMovesLockedControls) {
  auto window = NewWindow();
  window->SetProperties(PropertyList()
                            .Boolean("Resizeable", true)
                            .Integer("Width", 300)
                            .Integer("Height", 200)
                            .Integer("MinWidth", 250)
                            .Integer("MinHeight", 150)
                            .Integer("MaxWidth", 400)
                            .Integer("MaxHeight", 300)
                            .Bytes());
  // Each label at 10,10 (100 by 20); locked right, locked bottom and not to
  // the top; and where it stands once the window is 50 wider and 60 higher.
  const struct {
    bool right, bottom;
    QRect after;
  } locks[] = {{true, false, QRect(10, 10, 150, 20)},
               {false, true, QRect(10, 70, 100, 20)},
               {false, false, QRect(10, 10, 100, 20)}};
  std::vector<Ref<Label>> labels;
  window->onCreateControls = [&](TestWindow& w) {
    for (const auto& lock : locks) {
      labels.push_back(Add<Label>(w, "L" + std::to_string(labels.size()),
                                  PropertyList()
                                      .Integer("Left", 10)
                                      .Integer("Top", 10)
                                      .Integer("Width", 100)
                                      .Integer("Height", 20)
                                      .Boolean("LockRight", lock.right)
                                      .Boolean("LockBottom", lock.bottom)
                                      .Boolean("LockTop", !lock.bottom)
                                      .Bytes()));
    }
  };
  window->Constructor();
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(300, 200));
  EXPECT_EQ(widget->minimumSize(), QSize(250, 150));
  EXPECT_EQ(widget->maximumSize(), QSize(400, 300));
  widget->resize(350, 260);
  EXPECT_EQ(window->Width(), 350);
  EXPECT_EQ(window->Height(), 260);
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(ControlWidgetOf(*labels[i])->geometry(), locks[i].after) << i;
    EXPECT_EQ(labels[i]->Top(), locks[i].after.top()) << i;
    EXPECT_EQ(labels[i]->Width(), locks[i].after.width()) << i;
  }
}

TEST_F(WindowTest, AMenuBarGoesAboveTheContentWithoutChangingItsSize) {
  auto window = NewWindow();
  window->SetProperties(
      PropertyList().Integer("Width", 527).Integer("Height", 85).Boolean("Resizeable", false).Bytes());
  window->Constructor();
  auto* bar = new QMenuBar;
  bar->addMenu("&Ablage");
  SetWindowMenuBar(*window, bar);
  QWidget* widget = WindowWidgetOf(*window);
  QApplication::processEvents();
  EXPECT_EQ(bar->parentWidget(), widget);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(ContentAreaOf(*window)->y(), bar->height());
  EXPECT_EQ(widget->height(), 85 + bar->height());
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "still fixed";
  window->SetMenuBarVisible(false);
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(WindowTest, AnExceptionInAHandlerCalledByTheToolkitIsReportedAndStopsThere) {
  auto window = NewWindow();
  Ref<PushButton> button;
  window->onCreateControls = [&](TestWindow& w) {
    button = New<PushButton>(w);
    w.AddControl("Btn", button);
    button->Action = [](PushButton&) { throw NilObjectException(); };
  };
  window->Constructor();
  MessageRecorder messages;
  testing::internal::CaptureStderr();
  QTest::mouseClick(ControlWidgetOf(*button), Qt::LeftButton);
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_NE(messages.texts[0].find("NilObjectException"), std::string::npos) << messages.texts[0];
  EXPECT_TRUE(WindowWidgetOf(*window)->isVisible());
}

}  // namespace
