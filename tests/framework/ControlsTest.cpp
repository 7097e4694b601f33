#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Label.h"
#include "PushButton.h"
#include "TestWindow.h"
#include "TextField.h"

namespace {

QLineEdit* Edit(const TextField& field) {
  return static_cast<QLineEdit*>(ControlWidgetOf(field));
}

using ControlsTest = WindowTest;

TEST_F(ControlsTest, ALabelCarriesItsListsValues) {
  Ref<Label> label;
  Build([&](TestWindow& w) {
    label = Add<Label>(w, "LblSize",
                       PropertyList()
                           .String("Name", "LblSize")
                           .Integer("Left", 209)
                           .Integer("Top", 14)
                           .Integer("Width", 64)
                           .Integer("Height", 20)
                           .String("Text", "MB <b>&x</b>")
                           .Integer("TextAlign", 2)
                           .Colour("TextColor", Color::FromRGB(0x3090FF))
                           .String("HelpTag", "megabytes")
                           .Boolean("Bold", true)
                           .Boolean("Italic", true)
                           .Boolean("Underline", false)
                           .String("TextFont", "System")
                           .Integer("Index", INT32_MIN)
                           .Bytes());
  });
  auto* widget = static_cast<QLabel*>(ControlWidgetOf(*label));
  EXPECT_EQ(widget->objectName(), "LblSize");
  EXPECT_EQ(widget->geometry(), QRect(209, 14, 64, 20));
  EXPECT_EQ(widget->text(), "MB <b>&x</b>");
  EXPECT_EQ(widget->textFormat(), Qt::PlainText) << "label texts are shown as they are";
  EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(widget->palette().color(QPalette::WindowText), QColor(0x30, 0x90, 0xFF));
  EXPECT_NE(widget->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(0x30, 0x90, 0xFF))
      << "a disabled label keeps the style's disabled colour";
  EXPECT_EQ(widget->toolTip(), "megabytes");
  EXPECT_TRUE(widget->font().bold());
  EXPECT_TRUE(widget->font().italic());
  EXPECT_EQ(widget->font().family(), QApplication::font(widget).family());
  EXPECT_TRUE(widget->isVisible());
  EXPECT_EQ(*label->KeptValue("Index"), PropertyValue(INT32_MIN));
  const std::pair<int32_t, Qt::Alignment> alignments[] = {
      {0, Qt::AlignLeft}, {1, Qt::AlignHCenter}, {2, Qt::AlignRight}, {7, Qt::AlignLeft}};
  for (const auto& [value, expected] : alignments) {
    label->SetTextAlign(value);
    EXPECT_EQ(widget->alignment(), expected | Qt::AlignVCenter) << value;
  }
  label->SetMultiline(true);
  EXPECT_TRUE(widget->wordWrap());
  EXPECT_EQ(widget->alignment(), Qt::AlignLeft | Qt::AlignTop);
  label->SetSelectable(true);
  EXPECT_TRUE(widget->textInteractionFlags() & Qt::TextSelectableByMouse);
  label->SetEnabled(false);
  label->SetVisible(false);
  EXPECT_FALSE(widget->isEnabled());
  EXPECT_FALSE(widget->isVisible());
}

TEST_F(ControlsTest, ATextFieldCarriesItsListsValues) {
  Ref<TextField> field;
  Build([&](TestWindow& w) {
    field = Add<TextField>(w, "EdfDiskName",
                           PropertyList()
                               .Integer("Left", 153)
                               .Integer("Top", 45)
                               .Integer("Width", 193)
                               .Integer("Height", 22)
                               .Colour("TextColor", Color::FromRGB(0x000000))
                               .Colour("BackColor", Color::FromRGB(0xFFFFFF))
                               .String("CueText", "RamDisk")
                               .String("Text", "RamDisk")
                               .Boolean("Password", false)
                               .Boolean("ReadOnly", false)
                               .Boolean("Border", true)
                               .Integer("LimitText", 0)
                               .Integer("Alignment", 3)
                               .Boolean("UseFocusRing", true)
                               .Bytes());
  });
  QLineEdit* edit = Edit(*field);
  EXPECT_EQ(edit->geometry(), QRect(153, 45, 193, 22));
  EXPECT_EQ(edit->text(), "RamDisk");
  EXPECT_EQ(field->Text(), "RamDisk");
  EXPECT_EQ(edit->placeholderText(), "RamDisk");
  EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
  EXPECT_TRUE(edit->hasFrame());
  EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
  field->SetPassword(true);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
}

TEST_F(ControlsTest, TextChangeFollowsEveryChangeOfTheTextAndNoOther) {
  Ref<TextField> field;
  std::vector<std::string> seen;
  Build([&](TestWindow& w) {
    field = Add<TextField>(w, "Edf", PropertyList().String("Text", "before").Bytes());
    field->TextChange = [&](TextField& f) { seen.push_back(f.Text()); };
  });
  EXPECT_TRUE(seen.empty()) << "the list's text was set before the handler was attached";
  QTest::keyClicks(Edit(*field), "!");
  field->SetText("from code");
  field->SetText("from code");
  field->SetText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"before!", "from code", ""}));
}

TEST_F(ControlsTest, MaskAndLimitAdmitFourDigitsTypedOrPasted) {
  Ref<TextField> field;
  Build([&](TestWindow& w) {
    field = Add<TextField>(w, "EdfSize",
                           PropertyList().String("Text", "50").String("Mask", "9999").Integer("LimitText", 4).Bytes());
  });
  QLineEdit* edit = Edit(*field);
  edit->clear();
  QTest::keyClicks(edit, "1a2 -3.x45");
  EXPECT_EQ(field->Text(), "1234");
  edit->clear();
  QGuiApplication::clipboard()->setText("98765");
  edit->paste();
  EXPECT_EQ(field->Text(), "9876") << "a fifth pasted digit is cut off";
  edit->clear();
  QGuiApplication::clipboard()->setText("4x");
  edit->paste();
  EXPECT_EQ(field->Text(), "") << "a paste with a letter is refused whole";
  QGuiApplication::clipboard()->setText("\xD9\xA3");  // ARABIC-INDIC DIGIT THREE
  edit->paste();
  EXPECT_EQ(field->Text(), "") << "only the decimal digits 0 to 9";
  // Text set by the program is cut to the limit, not checked against the mask.
  field->SetText("123456");
  EXPECT_EQ(field->Text(), "1234");
}

TEST_F(ControlsTest, OtherMasksNoLimitReadOnlyAndTabs) {
  Ref<TextField> field;
  Build([&](TestWindow& w) { field = Add<TextField>(w, "Edf", PropertyList().String("Mask", "A?-&").Bytes()); });
  QTest::keyClicks(Edit(*field), "7b-%more");
  EXPECT_EQ(field->Text(), "7b-%");
  field->SetMask("");
  field->SetLimitText(0);
  field->SetText("");
  QTest::keyClicks(Edit(*field), QString::fromStdString(std::string(300, 'n')));
  EXPECT_EQ(field->Text().size(), 300u);
  field->SetReadOnly(true);
  QTest::keyClicks(Edit(*field), "zz");
  EXPECT_EQ(field->Text().size(), 300u) << "read-only takes no typing";
  field->SetReadOnly(false);
  field->SetText("");
  field->SetProperties(PropertyList().Boolean("AcceptTabs", true).Bytes());
  QTest::keyClicks(Edit(*field), "a\tb");
  EXPECT_EQ(field->Text(), "a\tb");
}

TEST_F(ControlsTest, AButtonIsPressedByClickSpaceReturnWhenDefaultAndEscapeWhenCancel) {
  Ref<PushButton> ok, cancel, other;
  Ref<TextField> field;
  std::vector<std::string> pressed;
  Build([&](TestWindow& w) {
    field = Add<TextField>(w, "Edf");
    other = Add<PushButton>(
        w, "Other",
        PropertyList().Integer("Left", 367).Integer("Top", 45).Integer("Width", 140).Integer("Height", 20).Bytes());
    ok = Add<PushButton>(w, "Ok", PropertyList().Boolean("Default", true).Boolean("Cancel", false).Bytes());
    cancel = Add<PushButton>(w, "Cancel", PropertyList().Boolean("Cancel", true).Bytes());
    for (auto* button : {&ok, &cancel, &other})
      (*button)->Action = [&](PushButton& b) { pressed.push_back(b.Name().empty() ? "?" : b.Name()); };
    ok->SetName("Ok");
    cancel->SetName("Cancel");
    other->SetName("Other");
    other->SetCaption("Create disk");
  });
  auto* widget = static_cast<QPushButton*>(ControlWidgetOf(*other));
  EXPECT_EQ(widget->text(), "Create disk");
  EXPECT_EQ(widget->geometry(), QRect(367, 45, 140, 20));
  QTest::mouseClick(widget, Qt::LeftButton);
  QTest::keyClick(widget, Qt::Key_Space);
  other->SetEnabled(false);
  QTest::mouseClick(widget, Qt::LeftButton);
  EXPECT_EQ(pressed, (std::vector<std::string>{"Other", "Other"})) << "a disabled button is not pressed";
  other->SetEnabled(true);
  pressed.clear();
  QTest::keyClick(Edit(*field), Qt::Key_Return);
  QTest::keyClick(Edit(*field), Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(widget, Qt::Key_Return);
  QTest::keyClick(ControlWidgetOf(*ok), Qt::Key_Return);
  QTest::keyClick(Edit(*field), Qt::Key_Escape);
  EXPECT_EQ(pressed, (std::vector<std::string>{"Ok", "Ok", "Ok", "Ok", "Cancel"}));
  EXPECT_TRUE(static_cast<QPushButton*>(ControlWidgetOf(*ok))->isDefault());
  pressed.clear();
  ok->SetEnabled(false);
  QTest::keyClick(Edit(*field), Qt::Key_Return);
  EXPECT_TRUE(pressed.empty()) << "a disabled default button is not pressed";
}

TEST_F(ControlsTest, TabIndexOrdersTheFocusChainWhateverTheCreationOrder) {
  Ref<TextField> size, name;
  Ref<PushButton> button;
  Ref<Label> label;
  auto window = Build([&](TestWindow& w) {
    // The size field comes first in the window, but last in the order.
    size = Add<TextField>(w, "Size", PropertyList().Integer("TabIndex", 6).Bytes());
    label = Add<Label>(w, "Label1", PropertyList().Integer("TabIndex", 0).Bytes());
    button = Add<PushButton>(w, "Button", PropertyList().Integer("TabIndex", 7).Boolean("TabStop", true).Bytes());
    name = Add<TextField>(w, "Name", PropertyList().Integer("TabIndex", 4).Bytes());
  });
  // Orders change after the window is built too.
  button->SetTabIndex(5);
  ASSERT_TRUE(QTest::qWaitForWindowActive(WindowWidgetOf(*window)));
  EXPECT_EQ(QApplication::focusWidget(), ControlWidgetOf(*name)) << "the first in the order has the focus";
  std::vector<QWidget*> order;
  for (int i = 0; i < 4; ++i) {
    order.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<QWidget*>{ControlWidgetOf(*name), ControlWidgetOf(*button), ControlWidgetOf(*size),
                                          ControlWidgetOf(*name)}));
  // Taking the button out of the order.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), ControlWidgetOf(*name));
  button->SetTabStop(false);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), ControlWidgetOf(*size));
}

TEST_F(ControlsTest, AfterTheWindowHasGoneItsControlsOnlyStoreValues) {
  Ref<TextField> field;
  auto window = Build([&](TestWindow& w) { field = Add<TextField>(w, "Edf"); });
  window->Close();
  Settle();
  EXPECT_EQ(ControlWidgetOf(*field), nullptr);
  field->SetText("still here");
  field->SetLeft(5);
  EXPECT_EQ(field->Text(), "still here");
  EXPECT_EQ(field->Left(), 5);
  EXPECT_THROW(New<Label>(*window), RuntimeException) << "no new controls in a window that has gone";
}

}  // namespace
