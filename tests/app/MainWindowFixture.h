#pragma once
// Each case starts the way the program does before its main window opens:
// an empty settings module with a preferences folder of its own, the file
// (if the case wrote one) imported, then the two defaults. The disk tools
// are fakes, and message boxes are recorded.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FakeTools.h"
#include "MessageRecorder.h"
#include "TempDir.h"
#include "WndMain.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"

// The window's private state, for its tests.
class WndMainInspector {
public:
  static int32_t RamDiskCount(const app::WndMain& window) { return window.RamDiskCount; }
  static const std::vector<Ref<qzRamDisk>>& RamDisk(const app::WndMain& window) { return window.RamDisk; }
};

class MainWindowTest : public testing::Test {
protected:
  MainWindowTest() {
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    qzSettings_ResetForTests();
  }
  ~MainWindowTest() override {
    DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qzSettings_ResetForTests();
  }

  // A preferences file with these key lines, read at the next Open.
  void WritePrefs(const std::string& keyLines) {
    std::filesystem::create_directories(dir_ / "config");
    WriteFile(dir_ / "config" / "Quillbarrow.pref",
              "Version: qzSettings01\n[APPLICATION SETTINGS]\n" + keyLines);
  }

  // Start-up up to the main window, then the window itself.
  Ref<app::WndMain> Open() {
    qzSettings_Import();
    qzSettingsInit_Integer("RamDiskSize", 50);
    qzSettingsInit_String("RamDiskName", "RamDisk");
    return WndMain();
  }

  static QLineEdit* Edit(const Ref<TextField>& field) { return static_cast<QLineEdit*>(ControlWidgetOf(*field)); }
  static QPushButton* Button(const Ref<PushButton>& button) {
    return static_cast<QPushButton*>(ControlWidgetOf(*button));
  }
  // Key presses for each character; beyond ASCII, as a keyboard layout
  // that has the letter sends it.
  static void Type(const Ref<TextField>& field, const std::string& text) {
    for (const QChar c : QString::fromStdString(text)) {
      if (c.unicode() < 128) {
        QTest::keyClick(Edit(field), c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Click, Edit(field), Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }
  static void Retype(const Ref<TextField>& field, const std::string& text) {
    Edit(field)->selectAll();
    QTest::keyClick(Edit(field), Qt::Key_Delete);
    Type(field, text);
  }
  void Press(const Ref<app::WndMain>& window) { QTest::mouseClick(Button(window->BtnCreate()), Qt::LeftButton); }

  // The argument vectors of the tools' calls since the last look.
  std::vector<std::vector<std::string>> TakeCalls() {
    auto calls = tools_.Calls();
    tools_.ClearCalls();
    return calls;
  }
  // What the last press asked a tool for: the block count of hdid, the
  // volume name of newfs_hfs.
  std::string AskedFor(const std::string& tool = "hdid") {
    const auto calls = TakeCalls();
    for (const auto& call : calls)
      if (call.size() >= 3 && call[0] == tool) return call[2];
    return "(no " + tool + " call)";
  }

  TempDir dir_;
  FakeTools tools_;
  MessageRecorder messages_;
};
