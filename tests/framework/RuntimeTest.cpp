#include <QCoreApplication>
#include <QTimer>

#include "ExceptionBoundary.h"
#include "Recorders.h"
#include "Quit.h"
#include "RecordingApp.h"

namespace {

using Lines = std::vector<std::string>;

Ref<RecordingApp> RegisterApp() {
  Ref<RecordingApp> app = New<RecordingApp>();
  RuntimeRegisterAppObject(app);
  return app;
}

// Runs action from inside the event loop, then the loop itself.
void RunLoopWith(const std::function<void()>& action) {
  QTimer::singleShot(0, [action] { CallIntoProgram(action); });
  // A loop that never ends must fail the test, not hang it.
  QTimer::singleShot(20000, [] {
    ADD_FAILURE() << "the event loop did not end";
    QCoreApplication::exit(99);
  });
  RuntimeRun();
  Log().push_back("RuntimeRun returned");
}

TEST(Runtime, QuitRaisesCloseOnceBeforeTheLoopReturnsAndASecondQuitChangesNothing) {
  InOwnProcess([] {
    // As the main window does: its Close asks to quit again while quitting.
    RegisterApp()->onClose = [] { Quit(0); };
    RunLoopWith([] {
      Quit(3);
      Log().push_back("after first Quit");
      Quit(5);
    });
    EXPECT_EQ(Log(), (Lines{"Open", "Close", "after first Quit", "RuntimeRun returned"}));
    EXPECT_EQ(RuntimeExit(), 3);
  });
}

// An exception that escapes is reported on standard error and in a message,
// and the application closes the usual way with a failing status, even after
// a Quit with 0.
TEST(Unhandled, AnEscapedExceptionIsReportedThenTheApplicationClosesWithStatusOne) {
  InOwnProcess([] {
    MessageRecorder messages;
    testing::internal::CaptureStderr();
    RegisterApp()->onClose = [] { throw std::runtime_error("disk full"); };
    RunLoopWith([] { Quit(0); });
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Log(), (Lines{"Open", "Close", "RuntimeRun returned"}));
    EXPECT_NE(report.find("std::runtime_error: disk full"), std::string::npos) << report;
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("must quit"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(RuntimeExit(), 1);
  });
}

}  // namespace
