// What the user sees of the main window: its size, buttons, controls, texts,
// focus order and translation.

#include <QDir>
#include <QLabel>

#include "Localization.h"
#include "MainWindowFixture.h"

namespace {

QLabel* LabelWidget(const Ref<Label>& label) { return static_cast<QLabel*>(ControlWidgetOf(*label)); }

TEST_F(MainWindowTest, TheWindowIsAFixedTitledWindowWithCloseAndMinimiseButtons) {
  auto window = Open();
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_TRUE(widget->isVisible()) << "shown without a call to show it";
  EXPECT_EQ(widget->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "cannot be resized";
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(widget->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(ContentAreaOf(*window)->autoFillBackground()) << "the standard background";
}

TEST_F(MainWindowTest, TheControlsStandWhereTheListsPutThem) {
  auto window = Open();
  const std::vector<std::pair<RectControl*, QRect>> places = {
      {&*window->Label1(), QRect(14, 14, 127, 20)},      {&*window->LblSize(), QRect(209, 14, 64, 20)},
      {&*window->Label2(), QRect(14, 46, 127, 20)},      {&*window->EdfDiskName(), QRect(153, 45, 193, 22)},
      {&*window->BtnCreate(), QRect(367, 45, 140, 20)}, {&*window->EdfSize(), QRect(153, 13, 50, 22)}};
  for (const auto& [control, rect] : places) {
    QWidget* widget = ControlWidgetOf(*control);
    EXPECT_EQ(widget->geometry(), rect) << control->Name();
    EXPECT_EQ(widget->parentWidget(), ContentAreaOf(*window)) << control->Name();
    EXPECT_TRUE(widget->isVisible() && widget->isEnabled()) << control->Name();
    EXPECT_EQ(widget->objectName().toStdString(), control->Name());
  }
  EXPECT_EQ(window->Controls().size(), 6u);
}

TEST_F(MainWindowTest, LabelsAndButtonShowTheirTextsAligned) {
  auto window = Open();
  EXPECT_EQ(LabelWidget(window->Label1())->text(), "Size of RAM disk:");
  EXPECT_EQ(LabelWidget(window->Label2())->text(), "Name of disk:");
  EXPECT_EQ(LabelWidget(window->LblSize())->text(), "MB");
  EXPECT_EQ(Button(window->BtnCreate())->text(), "Create disk");
  EXPECT_EQ(LabelWidget(window->Label1())->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(LabelWidget(window->Label2())->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(LabelWidget(window->LblSize())->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_EQ(LabelWidget(window->Label1())->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(MainWindowTest, TheFieldsHintAndLimits) {
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfDiskName())->placeholderText(), "RamDisk");
  EXPECT_EQ(Edit(window->EdfSize())->placeholderText(), "");
  EXPECT_EQ(Edit(window->EdfSize())->maxLength(), 4);
  EXPECT_EQ(Edit(window->EdfDiskName())->maxLength(), 32767) << "Qt's own \"no limit\"";
  EXPECT_TRUE(Button(window->BtnCreate())->isDefault());
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
  EXPECT_EQ(LabelWidget(window->Label1())->text(), "Größe der RAM-Disk in Megabyte:");
  EXPECT_EQ(LabelWidget(window->Label2())->text(), "Name des neuen Laufwerks:");
  EXPECT_EQ(Button(window->BtnCreate())->text(), "Laufwerk jetzt anlegen und einhängen");
  EXPECT_EQ(LabelWidget(window->LblSize())->text(), "MB") << "not a localisable text";
  EXPECT_EQ(WindowWidgetOf(*window)->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ControlWidgetOf(*window->Label1())->width(), 127);
  EXPECT_EQ(ControlWidgetOf(*window->Label2())->width(), 127);
  EXPECT_EQ(ControlWidgetOf(*window->BtnCreate())->width(), 140);
}

TEST_F(MainWindowTest, APictureOfTheWindowIsSavedForPeopleToLookAt) {
  const char* build = std::getenv("QB_BUILD_DIR");
  ASSERT_NE(build, nullptr) << "CTest sets QB_BUILD_DIR";
  auto window = Open();
  QApplication::processEvents();
  const QString folder = QString::fromLocal8Bit(build) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QPixmap picture = WindowWidgetOf(*window)->grab();
  EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(527, 85));
  EXPECT_TRUE(picture.save(folder + "/main-window.png"));
}

}  // namespace
