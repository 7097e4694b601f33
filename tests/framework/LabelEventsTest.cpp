// A label's mouse, key, wheel and drag events, delivered the way the window
// system delivers them, and the answers that go back.

// The mouse goes through the window system, as a real one would: enter and
// leave events, and a release going to the widget that took the press.
#define QTEST_QPA_MOUSE_HANDLING

#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "Label.h"
#include "MenuItem.h"
#include "MessageRecorder.h"
#include "TestWindow.h"

namespace {

// The label stands at 100,40 (120 by 20) in a window of 400 by 120.
class LabelEventsTest : public WindowTest {
 protected:
  void SetUp() override {
    window_ = Build([this](TestWindow& w) {
      label_ =
          Add<Label>(w, "Lbl", PropertyList().Integer("Left", 100).Integer("Top", 40).Integer("Width", 120).Bytes());
      label_->SetHeight(20);
    });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*window_)));
  }

  QWidget* Widget() const { return ControlWidgetOf(*label_); }
  // A point of the content area, as the label sees it.
  QPoint InWindow(int x, int y) const { return QPoint(x - 100, y - 40); }
  void Log(const std::string& what, int32_t x, int32_t y) {
    log_.push_back(what + " " + std::to_string(x) + "," + std::to_string(y));
  }
  // Sends event straight to the label's widget; true when something took it.
  bool Send(QEvent& event) {
    QApplication::sendEvent(Widget(), &event);
    return event.isAccepted();
  }

  Ref<TestWindow> window_;
  Ref<Label> label_;
  std::vector<std::string> log_;
};

TEST_F(LabelEventsTest, APressTheLabelTakesIsFollowedByDragsAndTheReleaseWhereverThePointerIs) {
  bool take = true;
  label_->MouseDown = [&](Label&, int32_t x, int32_t y) {
    Log("Down", x, y);
    return take;
  };
  label_->MouseDrag = [this](Label&, int32_t x, int32_t y) { Log("Drag", x, y); };
  label_->MouseUp = [this](Label&, int32_t x, int32_t y) { Log("Up", x, y); };
  QTest::mousePress(Widget(), Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mouseMove(Widget(), QPoint(10, 6));
  QTest::mouseMove(Widget(), InWindow(20, 100));
  QTest::mouseRelease(Widget(), Qt::LeftButton, {}, InWindow(20, 100));
  EXPECT_EQ(log_, (std::vector<std::string>{"Down 5,6", "Drag 10,6", "Drag -80,60", "Up -80,60"}));
  // Other buttons are no press.
  log_.clear();
  QTest::mouseClick(Widget(), Qt::RightButton, {}, QPoint(5, 6));
  QTest::mouseClick(Widget(), Qt::MiddleButton, {}, QPoint(5, 6));
  EXPECT_TRUE(log_.empty());
  // A press passed on is followed by no drag and no release; without a
  // handler the answer is False too.
  take = false;
  QTest::mousePress(Widget(), Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mouseMove(Widget(), QPoint(9, 6));
  QTest::mouseRelease(Widget(), Qt::LeftButton, {}, QPoint(9, 6));
  label_->MouseDown = nullptr;
  QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(log_, std::vector<std::string>{"Down 5,6"});
}

TEST_F(LabelEventsTest, EnterMoveAndExitFollowThePointer) {
  label_->MouseEnter = [this](Label&) { log_.push_back("Enter"); };
  label_->MouseExit = [this](Label&) { log_.push_back("Exit"); };
  label_->MouseMove = [this](Label&, int32_t x, int32_t y) { Log("Move", x, y); };
  QWidget* content = ContentAreaOf(*window_);
  QTest::mouseMove(content, QPoint(20, 20));
  QTest::mouseMove(content, QPoint(110, 50));
  QTest::mouseMove(content, QPoint(111, 50));
  QTest::mouseMove(content, QPoint(300, 100));
  ASSERT_GE(log_.size(), 3u);
  EXPECT_EQ(log_.front(), "Enter");
  EXPECT_EQ(log_.back(), "Exit");
  EXPECT_NE(std::find(log_.begin(), log_.end(), "Move 11,10"), log_.end()) << testing::PrintToString(log_);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "Enter"), 1);
}

TEST_F(LabelEventsTest, TheWheelGivesWholeNotchesKeysTheirTextAndTheAnswersGoBack) {
  bool take = true;
  label_->MouseWheel = [&](Label&, int32_t x, int32_t y, int32_t deltaX, int32_t deltaY) {
    Log("Wheel " + std::to_string(deltaX) + " " + std::to_string(deltaY), x, y);
    return take;
  };
  label_->KeyDown = [&](Label&, const std::string& key) {
    log_.push_back("Down " + key);
    return take;
  };
  label_->KeyUp = [&](Label&, const std::string& key) { log_.push_back("Up " + key); };
  const auto wheel = [](QPoint angle) {
    return QWheelEvent(QPointF(7, 8), QPointF(7, 8), QPoint(), angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                       false);
  };
  QWheelEvent towardsUser = wheel(QPoint(0, -240));
  EXPECT_TRUE(Send(towardsUser));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_TRUE(Send(press));
  take = false;
  QWheelEvent awayAndLeft = wheel(QPoint(120, 120));
  EXPECT_FALSE(Send(awayAndLeft)) << "passed on, and nothing else takes it";
  QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
  EXPECT_FALSE(Send(umlaut));
  QKeyEvent arrow(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  Send(arrow);
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", true);
  Send(repeat);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
  Send(release);
  EXPECT_EQ(log_,
            (std::vector<std::string>{"Wheel 0 2 7,8", "Down a", "Wheel -1 -1 7,8", "Down \xC3\xA4", "Down ", "Up a"}));
}

TEST_F(LabelEventsTest, ADragTakenGetsOverAndDropARefusedOneNothingMore) {
  bool take = true, dropHere = true;
  label_->DragEnter = [&](Label&, DragItem& item, int32_t action) {
    log_.push_back("Enter " + item.Text() + " " + std::to_string(action));
    return take;
  };
  label_->DragOver = [&](Label&, int32_t x, int32_t y, DragItem& item, int32_t) {
    Log("Over " + item.Text(), x, y);
    return dropHere;
  };
  label_->DragExit = [&](Label&, DragItem& item, int32_t) { log_.push_back("Exit " + item.Text()); };
  label_->DropObject = [&](Label&, DragItem& item, int32_t action) {
    log_.push_back("Drop " + item.Text() + " " + std::to_string(action));
  };
  QMimeData mime;
  mime.setText("payload");
  const auto drag = [&](Qt::DropAction action) {
    QDragEnterEvent enter(QPoint(3, 4), action, &mime, Qt::LeftButton, Qt::NoModifier);
    const bool taken = Send(enter);
    QDragMoveEvent move(QPoint(5, 6), action, &mime, Qt::LeftButton, Qt::NoModifier);
    const bool droppable = Send(move);
    return std::make_pair(taken, droppable);
  };

  EXPECT_EQ(drag(Qt::CopyAction), std::make_pair(true, true));
  QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  EXPECT_TRUE(Send(drop));

  dropHere = false;
  EXPECT_EQ(drag(Qt::MoveAction), std::make_pair(true, false));
  QDragLeaveEvent leave;
  Send(leave);

  take = false;
  EXPECT_EQ(drag(Qt::LinkAction), std::make_pair(false, false));
  QDropEvent refused(QPointF(5, 6), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
  EXPECT_FALSE(Send(refused));
  EXPECT_EQ(log_, (std::vector<std::string>{"Enter payload 1", "Over payload 5,6", "Drop payload 1", "Enter payload 2",
                                            "Over payload 5,6", "Exit payload", "Enter payload 3"}));
}

// An item that records its own action, the one it does when no one handles it.
class RecordingItem : public MenuItem {
 public:
  explicit RecordingItem(std::vector<std::string>& log) : log_(log) {}
  void DefaultAction() override { log_.push_back("Default " + Name()); }

 private:
  std::vector<std::string>& log_;
};

TEST_F(LabelEventsTest, AContextualMenuIsShownWhenBuiltAndItsChoiceHandedBack) {
  bool show = true, handled = true;
  label_->ConstructContextualMenu = [&](Label&, MenuItem& base, int32_t x, int32_t y) {
    Log("Construct", x, y);
    EXPECT_EQ(base.Count(), 0);
    for (const char* name : {"First", "Second"}) {
      auto item = New<RecordingItem>(log_);
      item->SetName(name);
      item->SetText(name);
      base.Append(item);
    }
    return show;
  };
  label_->ContextualMenuAction = [&](Label&, MenuItem& hit) {
    log_.push_back("Action " + hit.Name());
    return handled;
  };
  // Chooses the second entry of the menu once it is up.
  const auto chooseSecond = [] {
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      menu->setActiveAction(menu->actions().at(1));
      QTest::keyClick(menu, Qt::Key_Return);
    });
  };
  const auto request = [&] {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(7, 8), Widget()->mapToGlobal(QPoint(7, 8)));
    return Send(event);
  };

  chooseSecond();
  EXPECT_TRUE(request());
  handled = false;
  chooseSecond();
  EXPECT_TRUE(request());
  show = false;
  EXPECT_FALSE(request()) << "passed on";
  EXPECT_EQ(log_, (std::vector<std::string>{"Construct 7,8", "Action Second", "Construct 7,8", "Action Second",
                                            "Default Second", "Construct 7,8"}));
}

TEST_F(LabelEventsTest, ALabelClosesAfterItsWindow) {
  label_->Close = [this](Label&) { window_->events.push_back("Label Close"); };
  window_->events.clear();
  window_->Close();
  EXPECT_EQ(window_->events, (std::vector<std::string>{"CancelClose", "Close", "Label Close"}));
}

TEST_F(LabelEventsTest, AnExceptionInAHandlerIsReportedAndAnswersFalse) {
  label_->MouseDown = [](Label&, int32_t, int32_t) -> bool { throw NilObjectException(); };
  label_->MouseUp = [this](Label&, int32_t x, int32_t y) { Log("Up", x, y); };
  MessageRecorder messages;
  testing::internal::CaptureStderr();
  QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(5, 6));
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_TRUE(log_.empty()) << "no release follows a press that was not taken";
}

TEST_F(LabelEventsTest, CursorAndTextSize) {
  EXPECT_FALSE(Widget()->testAttribute(Qt::WA_SetCursor)) << "the window's cursor";
  label_->SetMouseCursor(Cursors::FingerPointer());
  EXPECT_EQ(Widget()->cursor().shape(), Qt::PointingHandCursor);
  label_->SetMouseCursor(Cursors::StandardPointer());
  EXPECT_EQ(Widget()->cursor().shape(), Qt::ArrowCursor);
  label_->SetMouseCursor(nullptr);
  EXPECT_FALSE(Widget()->testAttribute(Qt::WA_SetCursor));
  // Text sizes are in the unit of places; 0 is the platform's default.
  label_->SetTextSize(11);
  label_->SetBold(true);
  EXPECT_EQ(Widget()->font().pixelSize(), 11) << "other font properties keep the size";
  label_->SetTextSize(12.6f);
  EXPECT_EQ(Widget()->font().pixelSize(), 13);
  label_->SetBold(false);
  label_->SetTextSize(0);
  EXPECT_EQ(Widget()->font(), QApplication::font(Widget()));
}

}  // namespace
