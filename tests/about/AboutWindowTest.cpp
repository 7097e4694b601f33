// The About window: its labels and links, its one instance, its closing, and
// its picture. The mouse goes through the window system, as a real one would.

#define QTEST_QPA_MOUSE_HANDLING

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "BuildDir.h"
#include "Bundle.h"
#include "Recorders.h"
#include "internal/WindowAccess.h"
#include "qzWndAbout.h"

namespace {

namespace fs = std::filesystem;

const QColor kLinkColor{0x30, 0x90, 0xFF}, kPressedColor{0x90, 0x30, 0xFF};

class AboutWindowTest : public testing::Test {
 protected:
  ~AboutWindowTest() override {
    DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static QLabel* Widget(const Ref<Label>& label) { return static_cast<QLabel*>(ControlWidgetOf(*label)); }
  static QColor Color(const Ref<Label>& label) { return Widget(label)->palette().color(QPalette::WindowText); }

  URLRecorder urls_;
};

TEST_F(AboutWindowTest,
       AnUntitledFixedWindowWithTheLabelsAtTheRightAndLinksThatTurnColourWhileHeldAndOpenOncePerRelease) {
  auto about = qzWndAbout();
  QWidget* widget = WindowWidgetOf(*about);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));
  EXPECT_EQ(widget->windowTitle(), QCoreApplication::applicationName()) << "untitled, it shows the program's name";
  EXPECT_EQ(ContentAreaOf(*about)->size(), QSize(512, 384));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize());
  EXPECT_FALSE(widget->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  const std::tuple<Ref<Label>, QRect, QString, QColor> labels[] = {
      {about->LblRegisteredTo(), {334, 68, 168, 20}, "-Donationware-", Qt::white},
      {about->LblLinkMailSupport(), {334, 153, 168, 20}, "support@quillbarrow.example", kLinkColor},
      {about->LblThanksTo(), {334, 196, 168, 114}, "You (for using this app)", Qt::white},
      {about->LblLinkWebpage(), {333, 365, 168, 20}, "www.quillbarrow.example", kLinkColor}};
  for (const auto& [label, place, text, color] : labels) {
    EXPECT_EQ(Widget(label)->geometry(), place) << text.toStdString();
    EXPECT_EQ(Widget(label)->text(), text);
    EXPECT_EQ(Color(label), color) << text.toStdString();
    QTest::mouseClick(Widget(label), Qt::LeftButton);
  }
  EXPECT_EQ(urls_.texts,
            (std::vector<std::string>{"mailto:support@quillbarrow.example", "http://www.quillbarrow.example"}));
  urls_.texts.clear();
  // A press paints the link until the release, which opens it once, wherever
  // the pointer is then; the hand shows over it until a click or leaving.
  const Ref<Label> link = about->LblLinkMailSupport();
  QTest::mouseMove(ContentAreaOf(*about), QPoint(10, 10));
  QTest::mouseMove(ContentAreaOf(*about), QPoint(340, 160));
  EXPECT_EQ(Widget(link)->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(ContentAreaOf(*about), QPoint(10, 10));
  EXPECT_EQ(Widget(link)->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseMove(ContentAreaOf(*about), QPoint(340, 160));
  QTest::mousePress(Widget(link), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Color(link), kPressedColor);
  EXPECT_TRUE(urls_.texts.empty()) << "nothing opens before the release";
  QTest::mouseMove(Widget(link), QPoint(-200, -100));
  QTest::mouseRelease(Widget(link), Qt::LeftButton, {}, QPoint(-200, -100));
  EXPECT_EQ(urls_.texts, std::vector<std::string>{"mailto:support@quillbarrow.example"});
  EXPECT_EQ(Color(link), kLinkColor);
  EXPECT_EQ(Widget(link)->cursor().shape(), Qt::ArrowCursor);
}

// A window whose label was given no URI: it stays inert.
class Holder : public Window {
 protected:
  void CreateControls() override {
    AddControl("Inert", New<qzURILabel>(*this));
    ControlByName("Inert")->SetProperties(PropertyList().Integer("Width", 100).Integer("Height", 20).Bytes());
  }
};

TEST_F(AboutWindowTest, ALabelWithoutAURIShowsNoHandAndTakesNoPress) {
  auto holder = New<Holder>();
  holder->Constructor();
  const Ref<Label> inert = RefCast<Label>(holder->ControlByName("Inert"));
  QTest::mouseMove(Widget(inert), QPoint(10, 10));
  EXPECT_FALSE(Widget(inert)->testAttribute(Qt::WA_SetCursor));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(Widget(inert), &press);
  EXPECT_FALSE(press.isAccepted());
  EXPECT_TRUE(urls_.texts.empty());
}

// A stand-in main window stays open while the About window comes and goes.
TEST_F(AboutWindowTest, OneWindowForTwoRequestsANewOneAfterClosingWhichQuitsNothing) {
  auto main = New<Window>("WndMain.WndMain");
  main->Constructor();
  auto first = qzWndAbout();
  EXPECT_TRUE(Ref<Window>(first) == Ref<Window>(qzWndAbout()));
  EXPECT_EQ(OpenWindows().size(), 2u);
  QTimer::singleShot(0, [&] { WindowWidgetOf(*first)->close(); });
  QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
  EXPECT_EQ(QApplication::exec(), 7) << "nothing quit the application";
  auto again = qzWndAbout();
  EXPECT_FALSE(Ref<Window>(first) == Ref<Window>(again));
  EXPECT_TRUE(CloseWindow(*again, CloseReason::AppQuitting)) << "quitting is not held up by it";
}

TEST_F(AboutWindowTest, ThePictureIsTriedUntilItIsReadAndThenKeptForTheRun) {
  const fs::path screenshots = fs::path(BuildDir()) / "screenshots";
  const fs::path resources = ResourcesFolder();
  ASSERT_EQ(resources.parent_path().filename(), "about") << "the test program's own bundle";
  const auto place = [&](const fs::path& from) {  // whole, for any case reading it meanwhile
    fs::copy_file(from, resources / "new.png", fs::copy_options::overwrite_existing);
    fs::rename(resources / "new.png", resources / "qzWindowAbout.png");
  };
  fs::remove_all(resources);
  if (!qzWindowAbout()) {  // not read by an earlier case yet
    EXPECT_TRUE(qzWndAbout()->Backdrop().IsNil()) << "no resources folder";
    DestroyAllWindows();
  }
  fs::create_directories(resources);
  place(QB_ABOUT_PICTURE);
  auto about = qzWndAbout();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*about)));
  const QImage shown = WindowWidgetOf(*about)->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), QImage(QB_ABOUT_PICTURE).pixelColor(10, 10))
      << "the picture is the window's background";
  for (const int top : {68, 153, 196, 365}) {  // a caption in the picture above each label
    int lit = 0;
    for (int y = top - 14; y < top - 1; ++y)
      for (int x = 334; x < 502; ++x) lit += shown.pixelColor(x, y).lightness() > 100;
    EXPECT_GT(lit, 20) << "above the label at " << top;
  }
  fs::create_directories(screenshots);
  EXPECT_TRUE(shown.save(QString::fromStdString((screenshots / "about.png").string())));
  // The file gone: the next window keeps the picture read.
  const Ref<Picture> read = about->Backdrop();
  about->Close();
  fs::remove(resources / "qzWindowAbout.png");
  EXPECT_TRUE(qzWndAbout()->Backdrop() == read);
  place(QB_ABOUT_PICTURE);
}

}  // namespace
