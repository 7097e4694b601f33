#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Fixtures.h"
#include "Label.h"
#include "PushButton.h"
#include "TextField.h"

namespace {

using ControlsTest = WindowTest;

// One window like the program's: its label, its fields, its buttons and its order.
TEST_F(ControlsTest, ALabelFieldsAndButtonsOfOneWindowShowTheirListsFollowTabIndexAndTakeTheirKeys) {
  Ref<TextField> size, name;
  Ref<PushButton> ok, other;
  Ref<Label> label;
  std::vector<std::string> pressed;
  auto window = Build([&](TestWindow& w) {
    // The size field comes first in the window, but late in the order.
    size = Add<TextField>(w, "EdfSize",
                          PropertyList().String("Mask", "9999").Integer("LimitText", 4).Integer("TabIndex", 6).Bytes());
    // A label's list is applied as a whole, the grouped properties included.
    label = Add<Label>(w, "LblSize",
                       PropertyList()
                           .Integer("Left", 209)
                           .Integer("Width", 64)
                           .String("Text", "MB <b>&x</b>")
                           .Integer("TextAlign", 2)
                           .Colour("TextColor", Color::FromRGB(0x3090FF))
                           .Boolean("Bold", true)
                           .Integer("TabIndex", 0)
                           .Bytes());
    other = Add<PushButton>(w, "Other", PropertyList().Integer("TabIndex", 5).Bytes());
    name = Add<TextField>(w, "EdfName", PropertyList().Integer("TabIndex", 4).Bytes());
    ok = Add<PushButton>(w, "Ok", PropertyList().Boolean("Default", true).Integer("TabIndex", 7).Bytes());
    for (auto* button : {&ok, &other}) (*button)->Action = [&](PushButton& b) { pressed.push_back(b.Name()); };
  });
  auto* shown = static_cast<QLabel*>(ControlWidgetOf(*label));
  EXPECT_EQ(shown->geometry().left(), 209);
  EXPECT_EQ(shown->text(), "MB <b>&x</b>");
  EXPECT_EQ(shown->textFormat(), Qt::PlainText);
  EXPECT_EQ(shown->alignment(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(shown->palette().color(QPalette::WindowText), QColor(0x30, 0x90, 0xFF));
  EXPECT_TRUE(shown->font().bold());

  ASSERT_TRUE(QTest::qWaitForWindowActive(WindowWidgetOf(*window)));
  std::vector<QWidget*> order;
  for (int i = 0; i < 5; ++i) {
    order.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<QWidget*>{ControlWidgetOf(*name), ControlWidgetOf(*other), ControlWidgetOf(*size),
                                          ControlWidgetOf(*ok), ControlWidgetOf(*name)}));

  QTest::mouseClick(ControlWidgetOf(*other), Qt::LeftButton);
  QTest::keyClick(ControlWidgetOf(*other), Qt::Key_Space);
  QTest::keyClick(ControlWidgetOf(*name), Qt::Key_Return);
  QTest::keyClick(ControlWidgetOf(*name), Qt::Key_Enter, Qt::KeypadModifier);
  ok->SetEnabled(false);
  QTest::keyClick(ControlWidgetOf(*name), Qt::Key_Return);
  EXPECT_EQ(pressed, (std::vector<std::string>{"Other", "Other", "Ok", "Ok"}))
      << "a disabled button is not pressed, not even as the default";

  auto* edit = static_cast<QLineEdit*>(ControlWidgetOf(*size));
  QTest::keyClicks(edit, "1a2 -3.x45");
  EXPECT_EQ(size->Text(), "1234");
  // Each paste into the emptied field: what was pasted, what the field then holds.
  const std::pair<const char*, const char*> pastes[] = {
      {"98765", "9876"}, {"4x", ""}, {"\xD9\xA3", ""}};  // the last: ARABIC-INDIC DIGIT THREE
  for (const auto& [pasted, held] : pastes) {
    edit->clear();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
    edit->paste();
    EXPECT_EQ(size->Text(), held) << pasted;
  }
}

}  // namespace
