// The program's whole life in the test process: initialize, Main (start-up,
// the event loop with what a case does in it), finalize, RuntimeExit.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <thread>

#include "App.h"
#include "ClassRegistry.h"
#include "ExceptionBoundary.h"
#include "MenuBar1.h"
#include "MsgBox.h"
#include "Quit.h"
#include "Runtime.h"
#include "Startup.h"
#include "TempDir.h"
#include "WndMain.h"
#include "XSession.h"
#include "internal/MenuItemQt.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"
#include "qzWndAbout.h"

namespace {

const std::string kHeader = "Version: qzSettings01\n[APPLICATION SETTINGS]\n";

// Start-up runs once in a process: each case runs the program in a child
// process of its own, whose failures print there and fail the case here.
void InChild(const std::function<void()>& body) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    body();
    std::fflush(stdout);
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = -1;
  ASSERT_GT(pid, 0);
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the program's run failed: " << status;
}

class StartupTest : public testing::Test {
 protected:
  StartupTest() {
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    // Message boxes are recorded, with whether the main window existed yet.
    SetMsgBoxRecorder([this](const std::string& text) {
      messages_.push_back(text);
      windowOpenAtMessage_.push_back(!GetImplicitWindow(app::WndMain::kRegisteredName).IsNil());
    });
  }
  ~StartupTest() override { SetMsgBoxRecorder(nullptr); }

  std::filesystem::path Prefs() const { return dir_ / "Quillbarrow.pref"; }

  // The program, with inLoop run once the event loop runs; its exit status.
  int32_t RunProgram(const std::function<void()>& inLoop) {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
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

  static QLineEdit* Edit(const Ref<TextField>& field) { return static_cast<QLineEdit*>(ControlWidgetOf(*field)); }

  static void Retype(const Ref<TextField>& field, const QString& text) {
    Edit(field)->setFocus();
    Edit(field)->selectAll();
    QTest::keyClicks(Edit(field), text);
  }

  TempDir dir_;
  std::vector<std::string> messages_;
  std::vector<bool> windowOpenAtMessage_;
};

// Open loads the file before the fields open; the About item opens one About
// window, which does not hold up quitting; Close writes the settings.
TEST_F(StartupTest, TheFieldsShowWhatOpenLoadedAndTheAboutItemOpensOneWindow) {
  InChild([&] {
    WriteFile(Prefs(), kHeader + "RamDiskSize: 200\n");
    std::string size, name;
    Ref<Window> first, second;
    bool shown = false;
    size_t windows = 0;
    const int32_t status = RunProgram([&] {
      size = Edit(WndMain()->EdfSize())->text().toStdString();
      name = Edit(WndMain()->EdfDiskName())->text().toStdString();
      MnuAbout()->Qt().Action().trigger();
      first = GetImplicitWindow(about::qzWndAbout::kRegisteredName);
      shown = first && WindowWidgetOf(*first)->isVisible();
      MnuAbout()->Qt().Action().trigger();
      second = GetImplicitWindow(about::qzWndAbout::kRegisteredName);
      windows = OpenWindows().size();
      Quit(0);
    });
    EXPECT_EQ(size, "200");
    EXPECT_EQ(name, "RamDisk");
    ASSERT_FALSE(first.IsNil());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(first == second) << "the second choice shows the same window";
    EXPECT_EQ(windows, 2u) << "the main window and the About window";
    EXPECT_EQ(app::App::LocMnuAbout(), "About Quillbarrow...");
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(Prefs()), kHeader + "RamDiskSize: 200\nRamDiskName: RamDisk\n");
  });
}

TEST_F(StartupTest, AnInvalidFileIsReportedDuringOpenAndStaysAsItWas) {
  InChild([&] {
    const std::string invalid = "Version: qzSettings99\n[APPLICATION SETTINGS]\nRamDiskSize: 200\n";
    WriteFile(Prefs(), invalid);
    std::string size, name;
    const int32_t status = RunProgram([&] {
      size = Edit(WndMain()->EdfSize())->text().toStdString();
      name = Edit(WndMain()->EdfDiskName())->text().toStdString();
      Retype(WndMain()->EdfSize(), "64");
      Quit(0);
    });
    ASSERT_EQ(messages_, std::vector<std::string>{"Error 01: Preference file exists but is not valid"});
    EXPECT_FALSE(windowOpenAtMessage_[0]) << "the message belongs to Open, before the main window";
    EXPECT_EQ(size, "50");
    EXPECT_EQ(name, "RamDisk");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(Prefs()), invalid);
  });
}

TEST_F(StartupTest, ClosingTheMainWindowQuitsAndWritesThePreferences) {
  InChild([&] {
    bool writtenEarly = true;
    const int32_t status = RunProgram([&] {
      writtenEarly = std::filesystem::exists(Prefs());
      Retype(WndMain()->EdfSize(), "123");
      Retype(WndMain()->EdfDiskName(), "Scratch");
      WindowWidgetOf(*WndMain())->close();
    });
    EXPECT_FALSE(writtenEarly) << "Open writes nothing";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(Prefs()), kHeader + "RamDiskSize: 123\nRamDiskName: Scratch\n");
  });
}

TEST_F(StartupTest, TheQuitItemsShortcutQuitsAndWritesThePreferences) {
  InChild([&] {
    const int32_t status = RunProgram([&] {
      QWidget* window = WindowWidgetOf(*WndMain());
      window->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(window));
      Retype(WndMain()->EdfSize(), "77");
      QTest::keyClick(Edit(WndMain()->EdfSize()), Qt::Key_Q, Qt::ControlModifier);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(Prefs()), kHeader + "RamDiskSize: 77\nRamDiskName: RamDisk\n");
  });
}

TEST_F(StartupTest, TheMenuBarStandsOnTheMainWindowAndEnableMenuItemsReenablesAbout) {
  InChild([&] {
    bool inWindow = false, aboutEnabled = false;
    RunProgram([&] {
      QMenuBar* bar = MenuBar1()->Qt().Bar();
      inWindow = bar && bar->window() == WindowWidgetOf(*WndMain()) && bar->isVisible();
      MnuAbout()->SetAutoEnable(false);  // so that only the event can enable it
      MnuAbout()->SetEnabled(false);
      QMenu& file = MenuBar1()->Child("FileMenu")->Qt().Menu();
      file.popup(QPoint(0, 0));
      file.hide();
      aboutEnabled = MnuAbout()->Enabled();
      Quit(0);
    });
    EXPECT_TRUE(inWindow);
    EXPECT_TRUE(aboutEnabled) << "opening the menu raises EnableMenuItems";
  });
}

TEST_F(StartupTest, ClosingTheAboutWindowLeavesTheProgramRunning) {
  InChild([&] {
    bool mainOpenAfter = false;
    const int32_t status = RunProgram([&] {
      MnuAbout()->Qt().Action().trigger();
      WindowWidgetOf(*GetImplicitWindow(about::qzWndAbout::kRegisteredName))->close();
      // Runs only if the loop still runs a while later.
      QTimer::singleShot(50, [&] {
        mainOpenAfter = !GetImplicitWindow(app::WndMain::kRegisteredName).IsNil();
        Quit(3);
      });
    });
    EXPECT_TRUE(mainOpenAfter);
    EXPECT_EQ(status, 3) << "nothing else quit";
    EXPECT_TRUE(GetImplicitWindow(about::qzWndAbout::kRegisteredName).IsNil());
  });
}

TEST_F(StartupTest, AnExceptionInAHandlerIsReportedAndTheSettingsAreStillWritten) {
  InChild([&] {
    testing::internal::CaptureStderr();
    const int32_t status = RunProgram([&] {
      Retype(WndMain()->EdfSize(), "9");
      // Without its About item, the application's EnableMenuItems uses a nil object.
      MnuAbout()->SetName("Renamed");
      MenuBar1()->Child("FileMenu")->Qt().Menu().popup(QPoint(0, 0));
    });
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("NilObjectException"), std::string::npos) << errors;
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("NilObjectException"), std::string::npos) << messages_[0];
    EXPECT_NE(messages_[0].find("must quit"), std::string::npos) << messages_[0];
    EXPECT_EQ(ReadFile(Prefs()), kHeader + "RamDiskSize: 9\nRamDiskName: RamDisk\n");
    EXPECT_NE(status, 0);
  });
}

// initialize registers the framework's classes, then the program's; finalize
// releases the windows, the menu bar and the settings.
TEST_F(StartupTest, InitializeRegistersTheClassesAndFinalizeReleasesEverything) {
  InChild([&] {
    const app::MenuBar1* during = nullptr;
    std::vector<std::string> last, notDerived;
    RunProgram([&] {
      during = MenuBar1().shared().get();
      const auto& classes = RegisteredClasses();
      for (auto it = classes.end() - std::min<size_t>(6, classes.size()); it != classes.end(); ++it)
        last.push_back(it->name);
      for (const auto& [derived, base] : {std::pair{"App", "Application"},
                                          {"qzURILabel", "Label"},
                                          {"qzWndAbout", "Window"},
                                          {"WndMain", "Window"},
                                          {"MenuBar1", "MenuItem"}})
        if (!ClassIsA(derived, base)) notDerived.push_back(derived);
      Quit(0);
    });
    EXPECT_EQ(last, (std::vector<std::string>{"App", "WndMain", "MenuBar1", "qzURILabel", "qzWndAbout", "qzRamDisk"}));
    EXPECT_EQ(notDerived, std::vector<std::string>{}) << "registered, but not under their base classes";
    EXPECT_TRUE(GetImplicitWindow(app::WndMain::kRegisteredName).IsNil());
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_TRUE(GetAppObject().IsNil());
    EXPECT_THROW(qzSettingsGet_String("RamDiskName"), NilObjectException) << "the settings table is released";
    EXPECT_NE(MenuBar1().shared().get(), during) << "the old menu bar was let go";
    MenuBar1_Release();
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

void Throws(void* what) {
  const int kind = *static_cast<int*>(what);
  if (kind == 1) throw NilObjectException();
  if (kind == 2) throw std::logic_error("not the framework's");
}

TEST(ExceptionHelper, HandsBackTheFrameworksExceptionsAndPassesOthersOn) {
  int kind = 0;
  EXPECT_EQ(CallFunctionWithExceptionHandling(&Throws, &kind), nullptr);
  kind = 1;
  const std::exception_ptr escaped = CallFunctionWithExceptionHandling(&Throws, &kind);
  ASSERT_NE(escaped, nullptr);
  EXPECT_THROW(std::rethrow_exception(escaped), NilObjectException);
  kind = 2;
  EXPECT_THROW(CallFunctionWithExceptionHandling(&Throws, &kind), std::logic_error);
}

}  // namespace
