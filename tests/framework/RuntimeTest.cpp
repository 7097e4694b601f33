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

TEST(Runtime, QuitDuringStartUpSkipsTheLoopAndStartUpRunsOnce) {
  InOwnProcess([] {
    RunFrameworkInitialization([] {
      RegisterApp();
      Quit(4);
    });
    RunFrameworkInitialization([] { Log().push_back("start-up again"); });
    RunLoopWith([] { Log().push_back("loop ran"); });
    EXPECT_EQ(Log(), (Lines{"Open", "Close", "RuntimeRun returned"}));
    EXPECT_EQ(RuntimeExit(), 4);
  });
}

// Wherever an exception escapes, it is reported on standard error and in a
// message, and the application closes the usual way with a failing status.
TEST(Unhandled, AnEscapedExceptionIsReportedThenTheApplicationClosesWithStatusOne) {
  const struct {
    const char* report;
    void (*run)();
  } cases[] = {{"std::out_of_range: index 3",
                [] {
                  RunFrameworkInitialization([] {
                    RegisterApp();
                    throw std::out_of_range("index 3");
                  });
                  RunLoopWith([] { Log().push_back("loop ran"); });
                }},
               // A failure after a Quit with 0 must still show in the exit status.
               {"std::runtime_error: disk full",
                [] {
                  RegisterApp()->onClose = [] { throw std::runtime_error("disk full"); };
                  RunLoopWith([] { Quit(0); });
                }},
               {"(unknown exception type)", [] {
                  RegisterApp();
                  RunLoopWith([] { throw 42; });
                }}};
  for (const auto& c : cases) {
    InOwnProcess([&c] {
      MessageRecorder messages;
      testing::internal::CaptureStderr();
      c.run();
      const std::string report = testing::internal::GetCapturedStderr();
      EXPECT_EQ(Log(), (Lines{"Open", "Close", "RuntimeRun returned"}));
      EXPECT_NE(report.find(c.report), std::string::npos) << report;
      ASSERT_EQ(messages.texts.size(), 1u);
      EXPECT_NE(messages.texts[0].find("must quit"), std::string::npos) << messages.texts[0];
      EXPECT_EQ(RuntimeExit(), 1);
    });
  }
}

// The helper of the program sees every call into it, and hands back the
// framework's exceptions; others pass through it to the boundary.
std::exception_ptr CountingHelper(void (*function)(void*), void* argument) {
  Log().push_back("helper");
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

TEST(Unhandled, CallsRunThroughTheProgramsExceptionHelperAndAFailedCallGivesTheFallback) {
  InOwnProcess([] {
    MessageRecorder messages;
    testing::internal::CaptureStderr();
    RuntimeSetExceptionHelper(&CountingHelper);
    EXPECT_TRUE(CallIntoProgram([]() -> bool { throw NilObjectException(); }, true)) << "the fallback";
    EXPECT_FALSE(CallIntoProgram([] { return false; }, true));
    CallIntoProgram([] { throw std::logic_error("not mine"); });
    EXPECT_TRUE(CallIntoProgram([] { return true; }, false));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Log(), (Lines{"helper", "helper", "helper", "helper"}));
    EXPECT_NE(report.find("Unhandled NilObjectException: A nil object was used."), std::string::npos) << report;
    EXPECT_NE(report.find("Unhandled std::logic_error: not mine"), std::string::npos) << report;
    EXPECT_EQ(messages.texts.size(), 2u);
  });
}

TEST(Unhandled, UsingANilHandleRaisesNilObjectException) {
  Ref<std::string> nothing;
  EXPECT_THROW(nothing->size(), NilObjectException);
}

}  // namespace
