// The link label in a window of its own: its colours, its pointer, and the
// URIs that its clicks open.

#include <QContextMenuEvent>
#include <QMimeData>
#include <functional>
#include <optional>

#include "AboutFixture.h"
#include "Window.h"
#include "qzURILabel.h"

namespace {

// A window of 300 by 100 points whose CreateControls is the test's.
class Holder : public Window {
 public:
  std::function<void(Holder&)> make;

 protected:
  void Layout() override {
    SetProperties(PropertyList().Integer("Width", 300).Integer("Height", 100).Boolean("Resizeable", false).Bytes());
  }
  void CreateControls() override { make(*this); }
};

class URILabelTest : public AboutTest {
 protected:
  // Builds a holder with the labels that make adds.
  Ref<Holder> Build(std::function<void(Holder&)> make) {
    auto holder = New<Holder>();
    holder->make = std::move(make);
    holder->Constructor();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(WindowWidgetOf(*holder)));
    return holder;
  }
  // A link label at left,10 (100 by 20) in its holder's layout colour, with
  // initURI as its InitURI handler when there is one.
  static Ref<qzURILabel> AddLink(Window& window, const std::string& name, int32_t left,
                                 std::function<std::string(qzURILabel&)> initURI) {
    auto label = New<qzURILabel>(window);
    window.AddControl(name, label);
    label->SetProperties(PropertyList()
                             .String("Text", name)
                             .Integer("Left", left)
                             .Integer("Top", 10)
                             .Integer("Width", 100)
                             .Integer("Height", 20)
                             .Colour("TextColor", Color::FromRGB(0x96C8F0))
                             .Bytes());
    label->InitURI = std::move(initURI);
    return label;
  }
  // One link at 20,10 that answers uri.
  Ref<qzURILabel> OneLink(const std::string& uri) {
    Ref<qzURILabel> link;
    holder_ = Build([&](Holder& h) { link = AddLink(h, "Link", 20, [uri](qzURILabel&) { return uri; }); });
    return link;
  }
  // Sends event straight to the label's widget; true when something took it.
  static bool Send(const Ref<Label>& label, QEvent&& event) {
    QApplication::sendEvent(Widget(label), &event);
    return event.isAccepted();
  }
  static QMouseEvent Mouse(QEvent::Type type) {
    return QMouseEvent(type, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                       type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  }
  void MoveTo(QPoint inContent) { QTest::mouseMove(ContentAreaOf(*holder_), inContent); }

  Ref<Holder> holder_;
};

TEST_F(URILabelTest, ThePointerIsAHandOverTheLinkAndAnArrowAfterLeavingOrAClick) {
  auto link = OneLink("mailto:support@quillbarrow.example");
  EXPECT_EQ(Cursor(link), std::nullopt);
  MoveTo(QPoint(5, 50));
  MoveTo(QPoint(30, 20));
  EXPECT_EQ(Cursor(link), Qt::PointingHandCursor);
  MoveTo(QPoint(250, 50));
  EXPECT_EQ(Cursor(link), Qt::ArrowCursor);
  MoveTo(QPoint(30, 20));
  EXPECT_EQ(Cursor(link), Qt::PointingHandCursor);
  QTest::mouseClick(Widget(link), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Cursor(link), Qt::ArrowCursor);
  MoveTo(QPoint(40, 20));
  EXPECT_EQ(Cursor(link), Qt::ArrowCursor) << "until the pointer leaves and comes back";
  MoveTo(QPoint(250, 50));
  MoveTo(QPoint(40, 20));
  EXPECT_EQ(Cursor(link), Qt::PointingHandCursor);
}

TEST_F(URILabelTest, ThePressedColourWhileHeldAndOneURIForEachReleaseAlsoOutsideTheLabel) {
  auto link = OneLink("http://www.quillbarrow.example");
  EXPECT_EQ(TextColor(link), kLinkColor) << "the layout's colour is replaced at Open";
  EXPECT_TRUE(Send(link, Mouse(QEvent::MouseButtonPress))) << "a press on a link is taken";
  EXPECT_EQ(TextColor(link), kPressedColor);
  EXPECT_TRUE(urls_.uris.empty()) << "nothing opens before the release";
  Send(link, Mouse(QEvent::MouseButtonRelease));
  EXPECT_EQ(TextColor(link), kLinkColor);
  Click(link);
  Click(link);
  EXPECT_EQ(urls_.uris.size(), 3u);
  // Pressed on the label, the pointer moved off it, released there.
  QTest::mousePress(Widget(link), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(Widget(link), QPoint(200, 70));
  EXPECT_EQ(TextColor(link), kPressedColor);
  QTest::mouseRelease(Widget(link), Qt::LeftButton, {}, QPoint(200, 70));
  EXPECT_EQ(urls_.uris, std::vector<std::string>(4, "http://www.quillbarrow.example"));
  EXPECT_EQ(TextColor(link), kLinkColor);
  EXPECT_EQ(Cursor(link), Qt::ArrowCursor);
  EXPECT_EQ(Widget(link)->text(), "Link") << "the text stays the holder's";
}

TEST_F(URILabelTest, WithoutAHandlerOrWithAnEmptyAnswerALabelIsInert) {
  Ref<qzURILabel> noHandler, empty;
  Build([&](Holder& h) {
    noHandler = AddLink(h, "NoHandler", 20, nullptr);
    empty = AddLink(h, "Empty", 150, [](qzURILabel&) { return std::string(); });
  });
  for (const auto& label : {noHandler, empty}) {
    SCOPED_TRACE(label->Name());
    EXPECT_EQ(TextColor(label), kLinkColor);
    QTest::mouseMove(Widget(label), QPoint(10, 10));
    EXPECT_EQ(Cursor(label), std::nullopt);
    EXPECT_FALSE(Send(label, Mouse(QEvent::MouseButtonPress))) << "a press is answered False";
    EXPECT_EQ(TextColor(label), kLinkColor);
    Send(label, Mouse(QEvent::MouseButtonRelease));
    Click(label);
    EXPECT_EQ(TextColor(label), kLinkColor);
    EXPECT_EQ(Cursor(label), std::nullopt);
  }
  EXPECT_TRUE(urls_.uris.empty());
}

TEST_F(URILabelTest, EachLabelAsksOnceAtOpenAndKeepsItsOwnURIBlanksIncluded) {
  std::vector<const qzURILabel*> askedBy;
  Ref<qzURILabel> web, blanks;
  Build([&](Holder& h) {
    web = AddLink(h, "Web", 20, [&](qzURILabel& label) {
      askedBy.push_back(&label);
      return std::string("http://a.example");
    });
    blanks = AddLink(h, "Blanks", 150, [](qzURILabel&) { return std::string("   "); });
    EXPECT_TRUE(askedBy.empty()) << "not before the label opens";
  });
  ASSERT_EQ(askedBy.size(), 1u);
  EXPECT_EQ(askedBy[0], &*web);
  QTest::mouseMove(Widget(blanks), QPoint(10, 10));
  EXPECT_EQ(Cursor(blanks), Qt::PointingHandCursor) << "a URI of blanks counts";
  Click(blanks);
  Click(web);
  QTest::mouseMove(Widget(web), QPoint(10, 10));
  Click(web);
  Click(blanks);
  EXPECT_EQ(askedBy.size(), 1u);
  EXPECT_EQ(urls_.uris, (std::vector<std::string>{"   ", "http://a.example", "http://a.example", "   "}));
}

TEST_F(URILabelTest, WheelKeysDragsAndContextualMenusChangeNothingAndAreAnsweredFalse) {
  auto link = OneLink("http://www.quillbarrow.example");
  EXPECT_FALSE(Send(link, QWheelEvent(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                                      Qt::NoModifier, Qt::NoScrollPhase, false)));
  EXPECT_FALSE(Send(link, QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r")));
  EXPECT_FALSE(Send(link, QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ")));
  Send(link, QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
  QMimeData mime;
  mime.setText("http://elsewhere.example");
  EXPECT_FALSE(Send(link, QDragEnterEvent(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier)));
  EXPECT_FALSE(Send(link, QDragMoveEvent(QPoint(6, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier)));
  EXPECT_FALSE(Send(link, QDropEvent(QPointF(6, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier)));
  const QPoint at(5, 5);
  EXPECT_FALSE(Send(link, QContextMenuEvent(QContextMenuEvent::Mouse, at, Widget(link)->mapToGlobal(at))));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu";
  EXPECT_EQ(TextColor(link), kLinkColor);
  EXPECT_EQ(Cursor(link), std::nullopt);
  EXPECT_TRUE(urls_.uris.empty());
  Click(link);
  EXPECT_EQ(urls_.uris, std::vector<std::string>{"http://www.quillbarrow.example"}) << "the link still works";
}

}  // namespace
