// The program as the user meets it: start-up to quitting, its menus, its main window and what it asks the tools.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "App.h"
#include "ExceptionBoundary.h"
#include "FakeTools.h"
#include "MenuBar1.h"
#include "Recorders.h"
#include "Runtime.h"
#include "Startup.h"
#include "TempDir.h"
#include "WndMain.h"
#include "internal/MenuItemQt.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"
#include "qzWndAbout.h"

class WndMainInspector {
 public:
  static int32_t RamDiskCount(const app::WndMain& window) { return window.RamDiskCount; }
};

namespace {

const std::string kHeader = "Version: qzSettings01\n[APPLICATION SETTINGS]\n";

// Each case starts as the program does before its main window opens, with its own preferences and fake tools.
class Quillbarrow : public testing::Test {
 protected:
  Quillbarrow() { setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1); }
  ~Quillbarrow() override {
    DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qzSettings_ResetForTests();
    oldConfig_.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
  }

  // The window, opened after a preferences file with these lines was read.
  Ref<app::WndMain> Open(const std::string& keyLines) {
    qzSettings_ResetForTests();
    DestroyAllWindows();
    WriteFile(dir_ / "Quillbarrow.pref", kHeader + keyLines);
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
  // The block count and volume name the tools were last asked for.
  std::string Asked() {
    const auto calls = tools_.Calls();
    tools_.ClearCalls();
    return calls.size() < 2 ? "(nothing)" : calls[0][2] + " " + calls[1][2];
  }

  // Start-up runs once in a process: the program runs in a child, inLoop once its event loop
  // runs, after once it has ended; its exit status. The child's failures fail the case here.
  int RunProgram(
      const std::function<void()>& inLoop, const std::function<void()>& after = [] {}) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
      static int argc = 1;
      static char name[] = "test", *argv[] = {name, nullptr};
      RuntimeInit(argc, argv);
      initialize();
      QTimer::singleShot(0, [inLoop] { CallIntoProgram(inLoop); });
      QTimer::singleShot(20000, [] {
        ADD_FAILURE() << "the program did not quit";
        QCoreApplication::exit(99);
      });
      Main();
      finalize();
      const int32_t status = RuntimeExit();
      after();
      std::fflush(stdout);
      _exit(testing::Test::HasFailure() ? 99 : status);
    }
    int status = -1;
    if (pid > 0) waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 99) << "the program's run failed: " << status;
    return WEXITSTATUS(status);
  }

  const std::string oldConfig_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  TempDir dir_;
  FakeTools tools_;
  MessageRecorder messages_;
};

// Captions are compared byte for byte: umlauts precomposed, three full stops.
TEST_F(Quillbarrow, TheWindowWithItsControlsInPlaceAndTwoMenusWithEveryItemItsCaptionAndItsShortcutInOrder) {
  auto window = Open("");
  EXPECT_EQ(WindowWidgetOf(*window)->windowTitle(), "Tamberlow (Brisquel)");
  EXPECT_EQ(ContentAreaOf(*window)->size(), QSize(527, 85));
  const std::tuple<RectControl*, QRect, QString> places[] = {
      {&*window->Label1(), {14, 14, 127, 20}, "Size of RAM disk:"},
      {&*window->LblSize(), {209, 14, 64, 20}, "MB"},
      {&*window->Label2(), {14, 46, 127, 20}, "Name of disk:"},
      {&*window->EdfDiskName(), {153, 45, 193, 22}, "RamDisk"},
      {&*window->BtnCreate(), {367, 45, 140, 20}, "Create disk"},
      {&*window->EdfSize(), {153, 13, 50, 22}, "50"}};
  for (const auto& [control, rect, text] : places) {
    EXPECT_EQ(ControlWidgetOf(*control)->geometry(), rect) << control->Name();
    EXPECT_EQ(ControlWidgetOf(*control)->property("text").toString(), text) << control->Name();
  }
  std::vector<std::string> shown;
  const Ref<app::MenuBar1> bar = MenuBar1();
  for (int32_t i = 0; i < bar->Count(); ++i) {
    shown.push_back(bar->Item(i)->Text());
    for (int32_t j = 0; j < bar->Item(i)->Count(); ++j)
      shown.push_back("  " + bar->Item(i)->Item(j)->Text() + " " + bar->Item(i)->Item(j)->KeyboardShortcut());
  }
  MenuBar1_Release();
  EXPECT_EQ(shown, (std::vector<std::string>{"&Ablage", "  About Quillbarrow... ", "  Beenden Cmd+Q", "&Bearbeiten",
                                             "  &R\303\274ckg\303\244ngig Cmd+Z", "  - ", "  &Ausschneiden Cmd+X",
                                             "  &Kopieren Cmd+C", "  &Einf\303\274gen Cmd+V", "  &L\303\266schen ",
                                             "  - ", "  &Alles ausw\303\244hlen Cmd+A"}));
}

// Only values the fields would never store change as the fields open. Megabytes become 512-byte blocks; from
// 4,096 MB on the count saturates.
TEST_F(Quillbarrow, TheFieldsShowThePreferencesTypingStoresWhatReturnAndTheButtonCreateAndAFailedDiskIsNotCounted) {
  const std::tuple<std::string, std::string, std::string, std::string> files[] = {
      {"RamDiskSize: 128\nRamDiskName: Scratch $HOME 'Disk'\n", "128", "Scratch $HOME 'Disk'",
       "ram://262144 Scratch $HOME 'Disk'"},
      {"RamDiskSize: 12345\n", "1234", "RamDisk", "ram://2527232 RamDisk"},  // cut to the field
      {"RamDiskSize: 0\nRamDiskName: \n", "1", "", "ram://2048 RamDisk"}};
  Ref<app::WndMain> window;
  for (const auto& [prefs, size, name, asked] : files) {
    window = Open(prefs);
    EXPECT_EQ(Edit(window->EdfSize())->text().toStdString(), size) << prefs;
    EXPECT_EQ(Edit(window->EdfDiskName())->text().toStdString(), name) << prefs;
    QTest::mouseClick(ControlWidgetOf(*window->BtnCreate()), Qt::LeftButton);
    EXPECT_EQ(Asked(), asked) << prefs;
  }
  const std::tuple<bool, std::string, std::string, std::string> cases[] = {
      {true, "Work", "Work", "ram://2048 Work"},
      {true, "", "", "ram://2048 RamDisk"},
      {false, "4096", "4096", "ram://8388608 RamDisk"},
      {false, "1x2 3-4.5", "1234", "ram://2527232 RamDisk"},
      {false, "20480", "2048", "ram://4194304 RamDisk"}};
  for (const auto& [name, typed, shown, asked] : cases) {
    const auto field = name ? window->EdfDiskName() : window->EdfSize();
    Retype(field, typed);
    EXPECT_EQ(Edit(field)->text().toStdString(), shown) << typed;
    QTest::keyClick(Edit(field), Qt::Key_Return);
    EXPECT_EQ(Asked(), asked) << typed;
  }
  const int32_t made = WndMainInspector::RamDiskCount(*window);
  tools_.Answer("newfs_hfs", "", 3);
  QTest::mouseClick(ControlWidgetOf(*window->BtnCreate()), Qt::LeftButton);
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"Can't initialize ramdisk with hfs plus. Error code 3"});
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), made) << "a failed disk is not counted";
}

// The About window does not hold up quitting, nor does its closing quit.
TEST_F(Quillbarrow, AtStartTheFileFillsTheFieldsTheAboutItemShowsOneWindowAndClosingTheMainWindowSaves) {
  WriteFile(dir_ / "Quillbarrow.pref", kHeader + "RamDiskSize: 200\n");
  const int status = RunProgram([] {
    EXPECT_EQ(Edit(WndMain()->EdfSize())->text(), "200");
    for (int twice = 0; twice < 2; ++twice) MnuAbout()->Qt().Action().trigger();
    EXPECT_EQ(OpenWindows().size(), 2u) << "the main window and one About window";
    WindowWidgetOf(*GetImplicitWindow(about::qzWndAbout::kRegisteredName))->close();
    QTimer::singleShot(50, [] {
      MnuAbout()->Qt().Action().trigger();
      Retype(WndMain()->EdfSize(), "77");
      WindowWidgetOf(*WndMain())->close();
    });
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(dir_ / "Quillbarrow.pref"), kHeader + "RamDiskSize: 77\nRamDiskName: RamDisk\n");
}

// Opening the menu raises EnableMenuItems, which uses the About item.
TEST_F(Quillbarrow, AnExceptionInAHandlerIsReportedAndTheSettingsAreStillWritten) {
  const int status = RunProgram(
      [] {
        Retype(WndMain()->EdfSize(), "9");
        MnuAbout()->SetName("Renamed");
        MenuBar1()->Child("FileMenu")->Qt().Menu().popup(QPoint(0, 0));
      },
      [this] {
        ASSERT_EQ(messages_.texts.size(), 1u);
        EXPECT_NE(messages_.texts[0].find("NilObjectException"), std::string::npos) << messages_.texts[0];
        EXPECT_NE(messages_.texts[0].find("must quit"), std::string::npos) << messages_.texts[0];
      });
  EXPECT_NE(status, 0);
  EXPECT_EQ(ReadFile(dir_ / "Quillbarrow.pref"), kHeader + "RamDiskSize: 9\nRamDiskName: RamDisk\n");
}

}  // namespace
