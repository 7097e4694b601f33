// The program's whole life: initialize, Main (start-up, the event loop with
// what a case does in it), finalize, RuntimeExit; and the real program's.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <thread>

#include "App.h"
#include "ExceptionBoundary.h"
#include "MenuBar1.h"
#include "Recorders.h"
#include "Quit.h"
#include "Runtime.h"
#include "Startup.h"
#include "TempDir.h"
#include "WndMain.h"
#include "XSession.h"
#include "internal/MenuItemQt.h"
#include "internal/WindowAccess.h"
#include "qzWndAbout.h"

namespace {

const std::string kHeader = "Version: qzSettings01\n[APPLICATION SETTINGS]\n";

// Start-up runs once in a process: each case runs the program in a child
// process of its own, with prefs as its preferences file when not empty.
// The child's failures print there and fail the case here.
void InChild(const std::string& prefs, const std::function<void(const std::filesystem::path&)>& body) {
  TempDir dir;
  if (!prefs.empty()) WriteFile(dir / "Quillbarrow.pref", prefs);
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    body(dir / "Quillbarrow.pref");
    std::fflush(stdout);
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = -1;
  ASSERT_GT(pid, 0);
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the program's run failed: " << status;
}

// The program, with inLoop run once the event loop runs; its exit status.
int32_t RunProgram(const std::function<void()>& inLoop) {
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
  return RuntimeExit();
}

QLineEdit* Edit(const Ref<TextField>& field) {
  return static_cast<QLineEdit*>(ControlWidgetOf(*field));
}
void Retype(const Ref<TextField>& field, const QString& text) {
  Edit(field)->selectAll();
  QTest::keyClicks(Edit(field), text);
}
Ref<Window> About() {
  return GetImplicitWindow(about::qzWndAbout::kRegisteredName);
}

// The About window does not hold up quitting, nor does its closing quit.
TEST(Startup, TheFileFillsTheFieldsTheAboutItemShowsOneWindowAndClosingTheMainWindowSaves) {
  InChild(kHeader + "RamDiskSize: 200\n", [](const std::filesystem::path& prefs) {
    const int32_t status = RunProgram([] {
      EXPECT_EQ(Edit(WndMain()->EdfSize())->text(), "200");
      MnuAbout()->Qt().Action().trigger();
      const Ref<Window> first = About();
      MnuAbout()->Qt().Action().trigger();
      ASSERT_FALSE(first.IsNil());
      EXPECT_TRUE(first == About() && WindowWidgetOf(*first)->isVisible());
      EXPECT_EQ(OpenWindows().size(), 2u);
      WindowWidgetOf(*first)->close();
      QTimer::singleShot(50, [] {
        MnuAbout()->Qt().Action().trigger();
        Retype(WndMain()->EdfSize(), "77");
        WindowWidgetOf(*WndMain())->close();
      });
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(prefs), kHeader + "RamDiskSize: 77\nRamDiskName: RamDisk\n");
  });
}

TEST(Startup, AnInvalidFileIsReportedBeforeTheMainWindowOpensAndKeptAsItWas) {
  const std::string invalid = "Version: qzSettings99\n[APPLICATION SETTINGS]\nRamDiskSize: 200\n";
  InChild(invalid, [&](const std::filesystem::path& prefs) {
    MessageRecorder messages;
    const int32_t status = RunProgram([&] {
      EXPECT_EQ(messages.texts, std::vector<std::string>{"Error 01: Preference file exists but is not valid"});
      EXPECT_EQ(Edit(WndMain()->EdfSize())->text(), "50");
      Retype(WndMain()->EdfSize(), "64");
      Quit(0);
    });
    EXPECT_EQ(messages.texts.size(), 1u) << "reported before the window opens";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(prefs), invalid);
  });
}

// Opening the menu raises EnableMenuItems, which uses the About item.
TEST(Startup, AnExceptionInAHandlerIsReportedAndTheSettingsAreStillWritten) {
  InChild("", [](const std::filesystem::path& prefs) {
    MessageRecorder messages;
    const int32_t status = RunProgram([] {
      Retype(WndMain()->EdfSize(), "9");
      MnuAbout()->SetName("Renamed");
      MenuBar1()->Child("FileMenu")->Qt().Menu().popup(QPoint(0, 0));
    });
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("NilObjectException"), std::string::npos) << messages.texts[0];
    EXPECT_NE(messages.texts[0].find("must quit"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(ReadFile(prefs), kHeader + "RamDiskSize: 9\nRamDiskName: RamDisk\n");
    EXPECT_NE(status, 0);
  });
}

// Obeyed, the toolkit's own option would end the program at once: there is
// no such platform.
TEST(Startup, NoCommandLineArgumentChangesWhatTheProgramDoes) {
  TempDir dir;
  const pid_t pid = Spawn(
      {std::string(std::getenv("QB_BUILD_DIR")) + "/Quillbarrow/bin/quillbarrow", "-platform", "none", "-reverse"},
      EnvironmentWith({"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + dir.path().string()}), 2, 2);
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "the program ended";
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace
