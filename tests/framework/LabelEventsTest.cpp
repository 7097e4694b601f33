// A label's mouse events as the window system delivers them: what a link relies on.

// The mouse goes through the window system, as a real one would: enter and
// leave events, and a release going to the widget that took the press.
#define QTEST_QPA_MOUSE_HANDLING

#include <QTest>

#include "Fixtures.h"
#include "Label.h"
#include "Recorders.h"

namespace {

// The label stands at 100,40 (120 by 20) in a window of 400 by 120.
class LabelEventsTest : public WindowTest {
 protected:
  void SetUp() override {
    window_ = Build([this](TestWindow& w) {
      label_ = Add<Label>(
          w, "Lbl",
          PropertyList().Integer("Left", 100).Integer("Top", 40).Integer("Width", 120).Integer("Height", 20).Bytes());
      label_->MouseEnter = [this](Label&) { log_.push_back("Enter"); };
      label_->MouseExit = [this](Label&) { log_.push_back("Exit"); };
      label_->MouseDrag = [this](Label&, int32_t x, int32_t y) { Log("Drag", x, y); };
      label_->MouseUp = [this](Label&, int32_t x, int32_t y) { Log("Up", x, y); };
    });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*window_)));
  }

  void Log(const std::string& what, int32_t x, int32_t y) {
    log_.push_back(what + " " + std::to_string(x) + "," + std::to_string(y));
  }

  Ref<TestWindow> window_;
  Ref<Label> label_;
  std::vector<std::string> log_;
};

TEST_F(LabelEventsTest, APressTheLabelTakesIsFollowedByDragsAndTheReleaseWhereverThePointerIs) {
  label_->MouseDown = [this](Label&, int32_t x, int32_t y) {
    Log("Down", x, y);
    return true;
  };
  QWidget* content = ContentAreaOf(*window_);
  QTest::mouseMove(content, QPoint(20, 20));
  QTest::mousePress(content, Qt::LeftButton, {}, QPoint(105, 46));
  QTest::mouseMove(content, QPoint(110, 46));
  QTest::mouseMove(content, QPoint(20, 100));
  QTest::mouseRelease(content, Qt::LeftButton, {}, QPoint(20, 100));
  EXPECT_EQ(log_, (std::vector<std::string>{"Enter", "Down 5,6", "Drag 10,6", "Drag -80,60", "Up -80,60", "Exit"}));
}

TEST_F(LabelEventsTest, AnExceptionInMouseDownIsReportedAndAnswersFalse) {
  InOwnProcess([this] {
    label_->MouseDown = [](Label&, int32_t, int32_t) -> bool { throw NilObjectException(); };
    MessageRecorder messages;
    testing::internal::CaptureStderr();
    QTest::mouseClick(ControlWidgetOf(*label_), Qt::LeftButton, {}, QPoint(5, 6));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    EXPECT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "Up 5,6"), 0) << "no release follows a press that was not taken";
  });
}

}  // namespace
