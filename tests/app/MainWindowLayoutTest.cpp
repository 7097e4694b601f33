// What the user sees of the main window: its size, buttons, controls, texts,
// focus order and translation.

#include <QDir>
#include <QLabel>

#include "Localization.h"
#include "MainWindowFixture.h"

namespace {

QString Text(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
  return static_cast<QLineEdit*>(widget)->placeholderText();
}

Qt::Alignment Align(QWidget* widget) {
  auto* label = qobject_cast<QLabel*>(widget);
  return label ? label->alignment() & Qt::AlignHorizontal_Mask : Qt::Alignment();
}

// The window and its controls carry what the lists say; a picture of it is
// saved for people to look at.
TEST_F(MainWindowTest, TheWindowAndItsControlsCarryTheDecodedValues) {
  const char* build = std::getenv("QB_BUILD_DIR");
  ASSERT_NE(build, nullptr) << "CTest sets QB_BUILD_DIR";
  auto window = Open();
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_TRUE(widget->isVisible()) << "shown without a call to show it";
  EXPECT_EQ(widget->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "cannot be resized";
  const Qt::WindowFlags flags = widget->windowFlags();
  EXPECT_TRUE((flags & Qt::WindowCloseButtonHint) && (flags & Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(ContentAreaOf(*window)->autoFillBackground()) << "the standard background";

  struct Place {
    RectControl* control;
    QRect rect;
    QString text;  // a field's cue text
    Qt::Alignment align;
  };
  const Place places[] = {{&*window->Label1(), {14, 14, 127, 20}, "Size of RAM disk:", Qt::AlignRight},
                          {&*window->LblSize(), {209, 14, 64, 20}, "MB", Qt::AlignLeft},
                          {&*window->Label2(), {14, 46, 127, 20}, "Name of disk:", Qt::AlignRight},
                          {&*window->EdfDiskName(), {153, 45, 193, 22}, "RamDisk", {}},
                          {&*window->BtnCreate(), {367, 45, 140, 20}, "Create disk", {}},
                          {&*window->EdfSize(), {153, 13, 50, 22}, "", {}}};
  for (const auto& [control, rect, text, align] : places) {
    QWidget* shown = ControlWidgetOf(*control);
    EXPECT_EQ(shown->geometry(), rect) << control->Name();
    EXPECT_EQ(shown->parentWidget(), ContentAreaOf(*window)) << control->Name();
    EXPECT_TRUE(shown->isVisible() && shown->isEnabled()) << control->Name();
    EXPECT_EQ(shown->objectName().toStdString(), control->Name());
    EXPECT_EQ(Text(shown), text) << control->Name();
    EXPECT_EQ(Align(shown), align) << control->Name();
  }
  EXPECT_EQ(window->Controls().size(), 6u);
  EXPECT_EQ(ControlWidgetOf(*window->Label1())->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(Edit(window->EdfSize())->maxLength(), 4);
  EXPECT_EQ(Edit(window->EdfDiskName())->maxLength(), 32767) << "Qt's own \"no limit\"";
  EXPECT_TRUE(Button(window->BtnCreate())->isDefault());

  QApplication::processEvents();
  const QString folder = QString::fromLocal8Bit(build) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QPixmap picture = widget->grab();
  EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(527, 85));
  EXPECT_TRUE(picture.save(folder + "/main-window.png"));
}

TEST_F(MainWindowTest, FocusRunsNameFieldButtonSizeField) {
  auto window = Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(WindowWidgetOf(*window)));
  std::vector<QWidget*> order;
  for (int i = 0; i < 4; ++i) {
    order.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  const std::vector<QWidget*> expected = {Edit(window->EdfDiskName()), Button(window->BtnCreate()),
                                          Edit(window->EdfSize()), Edit(window->EdfDiskName())};
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, ATranslationChangesTheTwoLabelsAndTheButtonButNotTheirWidths) {
  ASSERT_TRUE(LoadTranslation(QB_WNDMAIN_QM));
  auto window = Open();
  const std::tuple<RectControl*, QString, int> translated[] = {
      {&*window->Label1(), "Größe der RAM-Disk in Megabyte:", 127},
      {&*window->Label2(), "Name des neuen Laufwerks:", 127},
      {&*window->BtnCreate(), "Laufwerk jetzt anlegen und einhängen", 140},
      {&*window->LblSize(), "MB", 64}};  // not a localisable text
  for (const auto& [control, text, width] : translated) {
    EXPECT_EQ(Text(ControlWidgetOf(*control)), text) << control->Name();
    EXPECT_EQ(ControlWidgetOf(*control)->width(), width) << control->Name();
  }
  EXPECT_EQ(WindowWidgetOf(*window)->windowTitle(), "Tamberlow (Brisquel)");
  LoadTranslation("");  // none, as in the test program's bundle
}

}  // namespace
