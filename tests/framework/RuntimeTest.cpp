#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "ExceptionBoundary.h"
#include "internal/MenuItemQt.h"
#include "MessageRecorder.h"
#include "Quit.h"
#include "QuitMenuItem.h"
#include "RecordingApp.h"
#include "internal/RuntimeInternal.h"

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

TEST(Runtime, OpenIsRaisedWhenTheOneApplicationObjectIsRegistered) {
  InitRuntimeForTest();
  EXPECT_TRUE(GetAppObject().IsNil());
  EXPECT_THROW(RuntimeRegisterAppObject(nullptr), NilObjectException);
  Ref<RecordingApp> app = RegisterApp();
  Log().push_back("next start-up step");
  EXPECT_THROW(RuntimeRegisterAppObject(New<RecordingApp>()), RuntimeException);
  EXPECT_EQ(Log(), (Lines{"Open", "next start-up step"})) << "the refused object must not open";
  EXPECT_EQ(GetAppObject().shared().get(), app.shared().get());
}

TEST(Runtime, QuitRaisesCloseOnceBeforeTheLoopReturnsAndASecondQuitChangesNothing) {
  InitRuntimeForTest();
  Ref<RecordingApp> app = RegisterApp();
  // As the main window does: its Close asks to quit again while quitting.
  app->onClose = [] { Quit(0); };
  RunLoopWith([] {
    Quit(3);
    Log().push_back("after first Quit");
    Quit(5);
  });
  EXPECT_EQ(Log(), (Lines{"Open", "Close", "after first Quit", "RuntimeRun returned"}));
  EXPECT_EQ(RuntimeExit(), 3);
}

TEST(Runtime, TheQuitItemQuitsByItselfUnlessItsHandlerTakesIt) {
  InitRuntimeForTest();
  Ref<RecordingApp> app = RegisterApp();
  Ref<MenuBar> bar = New<MenuBar>();
  Ref<MenuItem> file = New<MenuItem>();
  file->SetName("FileMenu");
  bar->Append(file);
  Ref<QuitMenuItem> quit = New<QuitMenuItem>();
  quit->SetName("FileQuit");
  file->Append(quit);
  app->SetMenuBar(bar);
  bool handled = true;
  app->AddMenuHandler("FileQuit", [&] {
    Log().push_back("handler");
    return handled;
  });
  RunLoopWith([&] {
    quit->Qt().Action().trigger();
    Log().push_back("still running");
    handled = false;
    quit->Qt().Action().trigger();
  });
  EXPECT_EQ(Log(), (Lines{"Open", "handler", "still running", "handler", "Close", "RuntimeRun returned"}));
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST(Runtime, QuitDuringStartUpSkipsTheLoopAndStartUpRunsOnce) {
  InitRuntimeForTest();
  RunFrameworkInitialization([] {
    RegisterApp();
    Quit(4);
  });
  RunFrameworkInitialization([] { Log().push_back("startup again"); });
  QTimer::singleShot(0, [] { Log().push_back("loop ran"); });
  RuntimeRun();
  EXPECT_EQ(Log(), (Lines{"Open", "Close"}));
  EXPECT_EQ(RuntimeExit(), 4);
}

// The unhandled-exception report: what the user and standard error see.
class Unhandled : public testing::Test {
 protected:
  void SetUp() override {
    InitRuntimeForTest();
    testing::internal::CaptureStderr();
  }
  std::string Stderr() {
    if (stderr_.empty()) stderr_ = testing::internal::GetCapturedStderr();
    return stderr_;
  }
  void TearDown() override { Stderr(); }

  MessageRecorder messages;
  std::string stderr_;
};

TEST_F(Unhandled, AnExceptionInAMenuHandlerIsReportedThenTheApplicationClosesNormally) {
  Ref<RecordingApp> app = RegisterApp();
  Ref<MenuItem> item = New<MenuItem>();
  item->SetName("MnuAbout");
  app->AddMenuHandler("MnuAbout", []() -> bool { throw NilObjectException(); });
  app->onClose = [&] { Log().push_back("messages shown: " + std::to_string(messages.texts.size())); };
  RunLoopWith([&] { item->Qt().Action().trigger(); });

  EXPECT_EQ(Log(), (Lines{"Open", "Close", "messages shown: 1", "RuntimeRun returned"}));
  EXPECT_NE(Stderr().find("NilObjectException: A nil object was used."), std::string::npos) << Stderr();
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_NE(messages.texts[0].find("NilObjectException"), std::string::npos) << messages.texts[0];
  EXPECT_NE(messages.texts[0].find("must quit"), std::string::npos) << messages.texts[0];
  EXPECT_NE(RuntimeExit(), 0);
}

TEST_F(Unhandled, AnExceptionInStartUpEndsItAndShutDownStillRuns) {
  RunFrameworkInitialization([] {
    RegisterApp();
    throw std::out_of_range("index 3");
    Log().push_back("main window built");
  });
  QTimer::singleShot(0, [] { Log().push_back("loop ran"); });
  RuntimeRun();
  EXPECT_EQ(Log(), (Lines{"Open", "Close"}));
  EXPECT_NE(Stderr().find("std::out_of_range: index 3"), std::string::npos) << Stderr();
  EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(Unhandled, AnExceptionInOpenEndsStartUp) {
  RunFrameworkInitialization([] {
    Ref<RecordingApp> app = New<RecordingApp>();
    app->onOpen = [] { throw RuntimeException("no settings"); };
    RuntimeRegisterAppObject(app);
    Log().push_back("main window built");
  });
  RuntimeRun();
  EXPECT_EQ(Log(), (Lines{"Open", "Close"}));
  EXPECT_NE(Stderr().find("RuntimeException: no settings"), std::string::npos) << Stderr();
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(Unhandled, AnExceptionInCloseIsReportedAndTheLoopStillEnds) {
  Ref<RecordingApp> app = RegisterApp();
  app->onClose = [] { throw std::runtime_error("disk full"); };
  RunLoopWith([] { Quit(0); });
  EXPECT_EQ(Log(), (Lines{"Open", "Close", "RuntimeRun returned"}));
  EXPECT_NE(Stderr().find("std::runtime_error: disk full"), std::string::npos) << Stderr();
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(RuntimeExit(), 1) << "a failure after a Quit with 0 must still show in the exit status";
}

TEST_F(Unhandled, EveryKindOfExceptionStopsAtTheBoundary) {
  RegisterApp();
  RunLoopWith([] { throw 42; });
  EXPECT_NE(Stderr().find("unknown exception type"), std::string::npos) << Stderr();
  EXPECT_EQ(Log(), (Lines{"Open", "Close", "RuntimeRun returned"}));
  EXPECT_EQ(RuntimeExit(), 1);
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

TEST_F(Unhandled, CallsRunThroughTheProgramsExceptionHelper) {
  RuntimeSetExceptionHelper(&CountingHelper);
  EXPECT_EQ(RuntimeExceptionHelper(), &CountingHelper);
  CallIntoProgram([] { throw NilObjectException(); });
  CallIntoProgram([] { throw std::logic_error("not mine"); });
  EXPECT_EQ(Log(), (Lines{"helper", "helper"}));
  EXPECT_NE(Stderr().find("Unhandled NilObjectException: A nil object was used."), std::string::npos) << Stderr();
  EXPECT_NE(Stderr().find("Unhandled std::logic_error: not mine"), std::string::npos) << Stderr();
  EXPECT_EQ(messages.texts.size(), 2u);
}

}  // namespace
