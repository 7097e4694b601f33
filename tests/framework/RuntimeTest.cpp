#include <QCoreApplication>
#include <QTimer>

#include "ExceptionBoundary.h"
#include "Fixtures.h"
#include "Quit.h"
#include "Recorders.h"

namespace {

// Registers an application whose Close runs onClose, then runs the event loop
// with action as its first step.
void RunLoopWith(const std::function<void()>& onClose, const std::function<void()>& action) {
  Ref<RecordingApp> app = New<RecordingApp>();
  app->onClose = onClose;
  RuntimeRegisterAppObject(app);
  QTimer::singleShot(0, [action] { CallIntoProgram(action); });
  // A loop that never ends must fail the test, not hang it.
  QTimer::singleShot(20000, [] {
    ADD_FAILURE() << "the event loop did not end";
    QCoreApplication::exit(99);
  });
  RuntimeRun();
  appLog.push_back("RuntimeRun returned");
}

TEST(Runtime, QuitRaisesCloseOnceBeforeTheLoopReturnsAndASecondQuitChangesNothing) {
  InOwnProcess([] {
    // As the main window does: its Close asks to quit again while quitting.
    RunLoopWith([] { Quit(0); },
                [] {
                  Quit(3);
                  appLog.push_back("after first Quit");
                  Quit(5);
                });
    EXPECT_EQ(appLog, (Lines{"Open", "Close", "after first Quit", "RuntimeRun returned"}));
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
    RunLoopWith([] { throw std::runtime_error("disk full"); }, [] { Quit(0); });
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(appLog, (Lines{"Open", "Close", "RuntimeRun returned"}));
    EXPECT_NE(report.find("std::runtime_error: disk full"), std::string::npos) << report;
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("must quit"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(RuntimeExit(), 1);
  });
}

}  // namespace
