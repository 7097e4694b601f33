// The About window: its lists, its one instance, its picture, its labels and
// links, and its closing.

#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "AboutFixture.h"
#include "Bundle.h"
#include "qzWndAbout.h"
#include "qzWndAboutLists.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<PropertyRecord>& records) {
  std::vector<std::string> names;
  for (const PropertyRecord& record : records) names.push_back(record.name);
  return names;
}

// A window whose name makes it the main window; it stays open.
class StandIn : public Window {
 public:
  StandIn() : Window("WndMain.WndMain") {}
};

using AboutWindowTest = AboutTest;

TEST_F(AboutWindowTest, TheListsHoldTheirRecordsInOrder) {
  const std::string& window = qzWndAboutLists::Window();
  EXPECT_EQ(window.size(), 267u);
  EXPECT_EQ(Names(Window::Table().Decode(window)),
            (std::vector<std::string>{"Placement",   "Width",      "Height",     "MinWidth",       "MinHeight",
                                      "MaxWidth",    "MaxHeight",  "Frame",      "Composite",      "HasBackColor",
                                      "BackColor",   "Title",      "Visible",    "FullScreen",     "MenuBarVisible",
                                      "CloseButton", "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton",
                                      "MacProcID"}));

  const std::vector<std::string> head = {"InitialParent", "DataField", "DataSource",     "Underline", "Italic",
                                         "Bold",          "TextFont",  "AutoDeactivate", "HelpTag"};
  const std::vector<std::string> middle = {
      "Visible",   "Enabled", "Multiline", "TextColor", "TextAlign", "Text", "TabIndex", "TabPanelIndex", "LockBottom",
      "LockRight", "LockTop", "LockLeft",  "Height",    "Width",     "Top",  "Left",     "Index",         "Name"};
  const auto order = [&](bool link) {
    std::vector<std::string> names = head;
    if (!link) names.insert(names.end(), {"Transparent", "Selectable"});
    names.insert(names.end(), middle.begin(), middle.end());
    if (link) names.insert(names.end(), {"Transparent", "Selectable"});
    names.push_back("TabStop");
    return names;
  };
  const struct {
    const std::string& list;
    size_t bytes;
    bool link;
  } labels[] = {{qzWndAboutLists::LblLinkWebpage(), 362 + std::string("www.quillbarrow.example").size(), true},
                {qzWndAboutLists::LblLinkMailSupport(), 366 + std::string("support@quillbarrow.example").size(), true},
                {qzWndAboutLists::LblRegisteredTo(), 377, false},
                {qzWndAboutLists::LblThanksTo(), 383, false}};
  for (const auto& label : labels) {
    EXPECT_EQ(label.list.size(), label.bytes);
    EXPECT_EQ(Names(Label::Table().Decode(label.list)), order(label.link));
  }
}

TEST_F(AboutWindowTest, AnUntitledFixedWindowOf512By384WithTheLabelsAtTheRightAndWorkingLinks) {
  auto about = qzWndAbout();
  QWidget* widget = WindowWidgetOf(*about);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(widget)) << "shown as it is built";
  EXPECT_EQ(about->Title(), "");
  EXPECT_EQ(widget->windowTitle(), QCoreApplication::applicationName()) << "untitled, it shows the program's name";
  EXPECT_EQ(ContentAreaOf(*about)->size(), QSize(512, 384));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "cannot be resized";
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(widget->windowFlags() & Qt::WindowMaximizeButtonHint);
  const struct {
    Ref<Label> label;
    QRect place;
    const char* text;
    Qt::Alignment align;
    QColor color;
  } labels[] = {
      {about->LblRegisteredTo(), QRect(334, 68, 168, 20), "-Donationware-", Qt::AlignHCenter, Qt::white},
      {about->LblLinkMailSupport(), QRect(334, 153, 168, 20), "support@quillbarrow.example", Qt::AlignHCenter,
       kLinkColor},
      {about->LblThanksTo(), QRect(334, 196, 168, 114), "You (for using this app)", Qt::AlignHCenter, Qt::white},
      {about->LblLinkWebpage(), QRect(333, 365, 168, 20), "www.quillbarrow.example", Qt::AlignRight, kLinkColor},
  };
  for (const auto& [label, place, text, align, color] : labels) {
    SCOPED_TRACE(label->Name());
    EXPECT_EQ(Widget(label)->geometry(), place);
    EXPECT_EQ(Widget(label)->text(), text);
    EXPECT_EQ(Widget(label)->alignment() & Qt::AlignHorizontal_Mask, align);
    EXPECT_EQ(TextColor(label), color);
    EXPECT_EQ(Widget(label)->font().pixelSize(), 11);
    EXPECT_LE(Widget(label)->fontMetrics().horizontalAdvance(Widget(label)->text()), place.width())
        << "the text fits its box";
    EXPECT_TRUE(Widget(label)->isVisible());
    Click(label);
  }
  EXPECT_TRUE(Widget(about->LblThanksTo())->wordWrap());
  EXPECT_FALSE(Widget(about->LblRegisteredTo())->wordWrap());
  EXPECT_EQ(about->Controls().size(), 4u);
  EXPECT_EQ(about->LblLinkWebpage()->TabIndex(), 0);
  EXPECT_EQ(about->LblThanksTo()->TabIndex(), 3);
  // The links open the mail address and the web page they show; the static
  // texts open nothing and never change colour.
  EXPECT_EQ(urls_.uris,
            (std::vector<std::string>{"mailto:support@quillbarrow.example", "http://www.quillbarrow.example"}));
  EXPECT_EQ(urls_.uris[0], "mailto:" + about->LblLinkMailSupport()->Text());
  EXPECT_EQ(urls_.uris[1], "http://" + about->LblLinkWebpage()->Text());
  EXPECT_EQ(TextColor(about->LblRegisteredTo()), QColor(Qt::white));
}

TEST_F(AboutWindowTest, TwoRequestsGiveOneWindowAndClosingThenAskingAgainBuildsANewOne) {
  // The hook outlives the case: it counts only while the counter does.
  const auto closings = std::make_shared<int>(0);
  OnWindowClosed([counter = std::weak_ptr<int>(closings)](Window&, CloseReason) {
    if (const auto n = counter.lock()) ++*n;
  });
  auto first = qzWndAbout();
  const Ref<qzURILabel> link = first->LblLinkMailSupport();
  // Asking for the link again would paint it in the link colour once more.
  link->SetTextColor(Color::FromRGB(0x123456));
  auto second = qzWndAbout();
  second->Show();
  EXPECT_TRUE(Ref<Window>(first) == Ref<Window>(second));
  EXPECT_TRUE(second->LblLinkMailSupport() == link);
  EXPECT_EQ(TextColor(link), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(OpenWindows().size(), 1u);
  EXPECT_TRUE(WindowWidgetOf(*first)->close()) << "the close button closes it";
  EXPECT_EQ(*closings, 1) << "its Close event's own close changes nothing";
  EXPECT_TRUE(first->IsClosed());
  EXPECT_TRUE(GetImplicitWindow("qzWndAbout.qzWndAbout").IsNil());
  Settle();

  auto third = qzWndAbout();
  EXPECT_FALSE(Ref<Window>(first) == Ref<Window>(third));
  EXPECT_EQ(TextColor(third->LblLinkMailSupport()), kLinkColor);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*third)));
  Click(third->LblLinkMailSupport());
  EXPECT_EQ(urls_.uris, std::vector<std::string>{"mailto:support@quillbarrow.example"});
  third->Close();
  EXPECT_EQ(*closings, 2);
}

TEST_F(AboutWindowTest, ClosingItLeavesTheMainWindowRunning) {
  auto main = New<StandIn>();
  main->Constructor();
  auto about = qzWndAbout();
  // Inside the event loop, as the user would: the close button, then a
  // while later the test ends the loop with its own code.
  QTimer::singleShot(0, [&] { WindowWidgetOf(*about)->close(); });
  QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
  EXPECT_EQ(QApplication::exec(), 7) << "nothing quit the application";
  EXPECT_TRUE(about->IsClosed());
  EXPECT_FALSE(main->IsClosed());
  EXPECT_TRUE(WindowWidgetOf(*main)->isVisible());
  auto again = qzWndAbout();
  EXPECT_TRUE(CloseWindow(*again, CloseReason::AppQuitting)) << "quitting is not held up by it";
  EXPECT_TRUE(again->IsClosed());
}

// The cache of the picture lives for the process, which this case has to
// itself; it goes through the cache's whole life.
TEST_F(AboutWindowTest, ThePictureIsTriedUntilItIsReadAndThenKeptForTheRun) {
  const fs::path resources = ResourcesFolder();
  ASSERT_EQ(resources.parent_path().filename(), "about") << "the test program's own bundle";
  const auto open = [] {
    auto about = qzWndAbout();
    EXPECT_EQ(about->Controls().size(), 4u) << "with or without the picture";
    return about;
  };
  // Puts a file in place whole, for any other case that reads it meanwhile.
  const auto place = [&](const fs::path& from) {
    fs::copy_file(from, resources / "qzWindowAbout.png.new", fs::copy_options::overwrite_existing);
    fs::rename(resources / "qzWindowAbout.png.new", resources / "qzWindowAbout.png");
  };

  fs::remove_all(resources);
  if (qzWindowAbout()) {
    fs::create_directories(resources);
    place(QB_ABOUT_PICTURE);
    GTEST_SKIP() << "the picture was read by an earlier case of this process";
  }
  auto about = open();
  EXPECT_TRUE(about->Backdrop().IsNil()) << "no resources folder";
  about->Close();

  fs::create_directories(resources);
  about = open();
  EXPECT_TRUE(about->Backdrop().IsNil()) << "no picture in it";
  about->Close();

  place(QB_ABOUT_PICTURE);
  about = open();
  ASSERT_FALSE(about->Backdrop().IsNil());
  EXPECT_EQ(about->Backdrop()->Width(), 512);
  EXPECT_EQ(about->Backdrop()->Height(), 384);
  const QImage picture(QB_ABOUT_PICTURE);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*about)));
  const QImage shown = WindowWidgetOf(*about)->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), picture.pixelColor(10, 10)) << "the picture is the window's background";
  EXPECT_EQ(shown.pixelColor(330, 30), picture.pixelColor(330, 30));
  for (const int top : {68, 153, 196, 365}) {  // a caption in the picture above each label
    int lit = 0;
    for (int y = top - 14; y < top - 1; ++y)
      for (int x = 334; x < 502; ++x) lit += shown.pixelColor(x, y).lightness() > 100;
    EXPECT_GT(lit, 20) << "above the label at " << top;
  }
  const char* build = std::getenv("QB_BUILD_DIR");
  ASSERT_NE(build, nullptr) << "CTest sets QB_BUILD_DIR";
  const fs::path screenshots = fs::path(build) / "screenshots";
  fs::create_directories(screenshots);
  EXPECT_TRUE(shown.save(QString::fromStdString((screenshots / "about.png").string())));
  const Ref<Picture> read = about->Backdrop();
  about->Close();

  // Another picture in the file: the windows keep the one read.
  QImage green(512, 384, QImage::Format_RGB32);
  green.fill(Qt::green);
  const fs::path greenFile = resources / "green.png";
  ASSERT_TRUE(green.save(QString::fromStdString(greenFile.string())));
  place(greenFile);
  about = open();
  EXPECT_TRUE(about->Backdrop() == read);
  EXPECT_TRUE(qzWindowAbout() == read);
  EXPECT_EQ(WindowWidgetOf(*about)->grab().toImage().pixelColor(10, 10), picture.pixelColor(10, 10));
  place(QB_ABOUT_PICTURE);
  fs::remove(greenFile);
}

}  // namespace
