
#include <QImage>
#include <QWidget>

#include "Fixtures.h"
#include "FolderItem.h"
#include "Label.h"
#include "Picture.h"
#include "TempDir.h"

namespace {

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
    EXPECT_EQ(window->events,
              (std::vector<std::string>{"CreateControls", "CancelClose", "CancelClose", "Close", "Label Close"}));
    EXPECT_EQ(window->cancelCloseQuitting, std::vector<bool>(2, quitting));
  }
}

TEST_F(WindowTest, AControlLockedToTheRightOrBottomFollowsTheWindowsEdge) {
  std::vector<Ref<Label>> labels;
  auto window = Build([&](TestWindow& w) {
    w.SetResizeable(true);
    for (const bool right : {true, false})
      labels.push_back(Add<Label>(w, right ? "Right" : "Bottom",
                                  PropertyList()
                                      .Integer("Left", 10)
                                      .Integer("Top", 10)
                                      .Integer("Width", 100)
                                      .Integer("Height", 20)
                                      .Boolean("LockRight", right)
                                      .Boolean("LockBottom", !right)
                                      .Boolean("LockTop", right)
                                      .Bytes()));
  });
  WindowWidgetOf(*window)->resize(450, 180);
  EXPECT_EQ(window->Width(), 450);
  EXPECT_EQ(ControlWidgetOf(*labels[0])->geometry(), QRect(10, 10, 150, 20));
  EXPECT_EQ(ControlWidgetOf(*labels[1])->geometry(), QRect(10, 70, 100, 20));
}

// Only a whole picture file opens; the backdrop is drawn unscaled.
TEST_F(WindowTest, APictureFileOpensAndIsDrawnAsTheBackdropUnscaledFromTheTopLeftCorner) {
  TempDir dir;
  const std::string png = (dir / "red.png").string();
  QImage image(QSize(50, 40), QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(QString::fromStdString(png)));
  WriteFile(dir / "text.png", "not a picture at all");
  WriteFile(dir / "cut.png", ReadFile(png).substr(0, 20));
  for (const char* name : {"missing.png", "text.png", "cut.png", ""})
    EXPECT_TRUE(FolderItem((dir / name).string()).OpenAsPicture().IsNil()) << name;
  auto window = New<TestWindow>();
  window->SetProperties(PropertyList().Integer("Width", 120).Integer("Height", 80).Bytes());
  window->SetBackdrop(FolderItem(png).OpenAsPicture());
  window->Constructor();
  const QImage shown = ContentAreaOf(*window)->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(49, 39), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(50, 10), QColor(Qt::red));
}

}  // namespace
