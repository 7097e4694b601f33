// The main window as the user meets it: what the preferences file puts in
// its fields, what typing stores, and what its button asks the disk tools for.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FakeTools.h"
#include "Recorders.h"
#include "TempDir.h"
#include "WndMain.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"

class WndMainInspector {
 public:
  static int32_t RamDiskCount(const app::WndMain& window) { return window.RamDiskCount; }
};

namespace {

// Each case starts as the program does before its main window opens, with a
// preferences folder of its own and fake disk tools.
class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() { setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1); }
  ~MainWindowTest() override {
    DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qzSettings_ResetForTests();
    oldConfig_ ? setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  }

  // The window, opened after a preferences file with these lines was read.
  Ref<app::WndMain> Open(const std::string& keyLines) {
    qzSettings_ResetForTests();
    DestroyAllWindows();
    WriteFile(dir_ / "Quillbarrow.pref", "Version: qzSettings01\n[APPLICATION SETTINGS]\n" + keyLines);
    qzSettings_Import();
    qzSettingsInit_Integer("RamDiskSize", 50);
    qzSettingsInit_String("RamDiskName", "RamDisk");
    return WndMain();
  }
  static QLineEdit* Edit(const Ref<TextField>& field) { return static_cast<QLineEdit*>(ControlWidgetOf(*field)); }
  static void Retype(const Ref<TextField>& field, const std::string& text) {
    Edit(field)->selectAll();
    QTest::keyClick(Edit(field), Qt::Key_Delete);
    QTest::keyClicks(Edit(field), QString::fromStdString(text));
  }
  // Presses the button; the block count and volume name the tools were asked for.
  std::string Create(const Ref<app::WndMain>& window) {
    QTest::mouseClick(ControlWidgetOf(*window->BtnCreate()), Qt::LeftButton);
    return Asked();
  }
  std::string Asked() {
    const auto calls = tools_.Calls();
    tools_.ClearCalls();
    return calls.size() < 2 ? "(nothing)" : calls[0][2] + " " + calls[1][2];
  }

  const std::optional<std::string> oldConfig_ =
      std::getenv("XDG_CONFIG_HOME") ? std::optional<std::string>(std::getenv("XDG_CONFIG_HOME")) : std::nullopt;
  TempDir dir_;
  FakeTools tools_;
  MessageRecorder messages_;
};

TEST_F(MainWindowTest, AFixedWindowWithItsControlsInPlace) {
  auto window = Open("");
  QWidget* widget = WindowWidgetOf(*window);
  EXPECT_EQ(widget->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize());
  const std::tuple<RectControl*, QRect, QString> places[] = {
      {&*window->Label1(), {14, 14, 127, 20}, "Size of RAM disk:"},
      {&*window->LblSize(), {209, 14, 64, 20}, "MB"},
      {&*window->Label2(), {14, 46, 127, 20}, "Name of disk:"},
      {&*window->EdfDiskName(), {153, 45, 193, 22}, "RamDisk"},
      {&*window->BtnCreate(), {367, 45, 140, 20}, "Create disk"},
      {&*window->EdfSize(), {153, 13, 50, 22}, "50"}};
  for (const auto& [control, rect, text] : places) {
    QWidget* shown = ControlWidgetOf(*control);
    EXPECT_EQ(shown->geometry(), rect) << control->Name();
    EXPECT_EQ(shown->property("text").toString(), text) << control->Name();
  }
}

// Only values the fields would never store change as the fields open.
TEST_F(MainWindowTest, TheFieldsShowWhatThePreferencesFileHoldsAndTheButtonUsesIt) {
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"", "50", "RamDisk", "ram://102400 RamDisk"},
      {"RamDiskSize: 128\nRamDiskName: Scratch $HOME 'Disk'\n", "128", "Scratch $HOME 'Disk'",
       "ram://262144 Scratch $HOME 'Disk'"},
      {"RamDiskSize: 0\nRamDiskName: \n", "1", "", "ram://2048 RamDisk"},
      {"RamDiskSize: 12345\n", "1234", "RamDisk", "ram://2527232 RamDisk"}};  // cut to the field
  for (const auto& [prefs, size, name, asked] : cases) {
    auto window = Open(prefs);
    EXPECT_EQ(Edit(window->EdfSize())->text().toStdString(), size) << prefs;
    EXPECT_EQ(Edit(window->EdfDiskName())->text().toStdString(), name) << prefs;
    EXPECT_EQ(Create(window), asked) << prefs;
  }
}

// Megabytes become 512-byte blocks; from 4,096 MB on the count saturates.
TEST_F(MainWindowTest, TypingStoresWhatReturnAndTheButtonCreate) {
  auto window = Open("");
  const std::tuple<bool, std::string, std::string, std::string> cases[] = {
      {true, "Work", "Work", "ram://102400 Work"},
      {true, "", "", "ram://102400 RamDisk"},
      {false, "", "", "ram://2048 RamDisk"},
      {false, "0050", "0050", "ram://102400 RamDisk"},
      {false, "4095", "4095", "ram://8386560 RamDisk"},
      {false, "4096", "4096", "ram://8388608 RamDisk"},
      {false, "9999", "9999", "ram://8388608 RamDisk"},
      {false, "1x2 3-4.5", "1234", "ram://2527232 RamDisk"},
      {false, "20480", "2048", "ram://4194304 RamDisk"}};
  for (const auto& [name, typed, shown, asked] : cases) {
    const auto field = name ? window->EdfDiskName() : window->EdfSize();
    Retype(field, typed);
    EXPECT_EQ(Edit(field)->text().toStdString(), shown) << typed;
    QTest::keyClick(Edit(field), Qt::Key_Return);
    EXPECT_EQ(Asked(), asked) << typed;
  }
  QTest::keyClick(Edit(window->EdfSize()), Qt::Key_Escape);
  EXPECT_EQ(Asked(), "(nothing)") << "no button answers the cancel key";
  for (const int32_t negative : {-5, INT32_MIN}) {  // only a file holds one
    qzSettingsSet_Integer("RamDiskSize", negative);
    EXPECT_EQ(Create(window), "ram://2048 RamDisk") << negative;
  }
}

TEST_F(MainWindowTest, AFailedDiskIsReportedAndNotCounted) {
  auto window = Open("");
  Create(window);
  tools_.Answer("newfs_hfs", "", 3);
  Create(window);
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 1);
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"Can't initialize ramdisk with hfs plus. Error code 3"});
  tools_.Answer("newfs_hfs", "", 0);
  Create(window);
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 2);
}

}  // namespace
