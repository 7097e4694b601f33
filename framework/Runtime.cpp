#include "Runtime.h"

#include <QApplication>
#include <QThread>

#include <memory>

#include "ClassRegistry.h"
#include "ExceptionBoundary.h"
#include "internal/MenuItemQt.h"
#include "Quit.h"
#include "internal/RuntimeInternal.h"
#include "internal/WindowAccess.h"

namespace {

struct State {
  std::unique_ptr<QApplication> ownApplication;
  ExceptionHelper helper = nullptr;
  Ref<Application> app;
  bool initialized = false;
  bool quitting = false;
  bool closed = false;
  bool failed = false;
  int32_t exitCode = 0;
};

State& Runtime() {
  static State state;
  return state;
}

void RaiseClose() {
  State& runtime = Runtime();
  if (runtime.closed || !runtime.app) return;
  runtime.closed = true;
  const Ref<Application> app = runtime.app;
  CallIntoProgram([&app] { app->Event_Close(); });
}

// Widgets must go before the toolkit's application object does; the
// application object holds the menu bar.
void ReleaseAppObject() { Runtime().app.Release(); }

}  // namespace

void RuntimeInit(int& argc, char** argv) {
  State& runtime = Runtime();
  // The program reads no arguments, and the toolkit must not either: its own
  // options (-platform, -reverse, -style...) would change what the program
  // does. The toolkit keeps these for its whole life.
  static char* programOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  static int count = programOnly[0] ? 1 : 0;
  if (!QCoreApplication::instance()) runtime.ownApplication = std::make_unique<QApplication>(count, programOnly);
  // Closing the last window is not quitting: the program's own Close
  // handler decides, and Close must run first.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  qAddPostRoutine(ReleaseAppObject);
}

void SetApplicationName(const std::string& name) { QCoreApplication::setApplicationName(QString::fromStdString(name)); }

int32_t RuntimeExit() {
  State& runtime = Runtime();
  ReleaseAppObject();
  runtime.ownApplication.reset();
  return runtime.failed && runtime.exitCode == 0 ? 1 : runtime.exitCode;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { Runtime().helper = helper; }

ExceptionHelper RuntimeExceptionHelper() { return Runtime().helper; }

void RunFrameworkInitialization(void (*startup)()) {
  State& runtime = Runtime();
  if (runtime.initialized) return;
  runtime.initialized = true;
  RequireWidgets();
  CallIntoProgram(startup);
}

void RuntimeInitExternalClasses() {}

void InitPluginEntrypoints() {}

void RuntimeRegisterAppObject(const Ref<Application>& app) {
  State& runtime = Runtime();
  if (runtime.app) throw RuntimeException("An application object is already registered.");
  if (!app) throw NilObjectException();
  runtime.app = app;
  ShowApplicationMenuBar();
  app->Event_Open();
}

void RuntimeReleaseFrameworkObjects() {
  DestroyAllWindows();
  // A closed window's widgets may still wait for their deferred deletion.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ForgetRegisteredClasses();
}

Ref<Application> GetAppObject() { return Runtime().app; }

void RuntimeRun() {
  State& runtime = Runtime();
  if (!runtime.quitting) QApplication::exec();
  // The loop may also end without Quit, when the platform ends the session.
  runtime.quitting = true;
  RaiseClose();
}

void Quit(int32_t exitCode) {
  State& runtime = Runtime();
  if (runtime.quitting) return;
  runtime.quitting = true;
  runtime.exitCode = exitCode;
  // Close before the loop is told to end: once it is, no message box could
  // be shown any more.
  RaiseClose();
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(exitCode);
}

void RuntimeFail() {
  Runtime().failed = true;
  Quit(1);
}

void RequireWidgets() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw RuntimeException("The framework is not initialised: there is no application to show windows in.");
}
