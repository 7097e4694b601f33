#include "Startup.h"

#include "App.h"
#include "ClassRegistry.h"
#include "ExceptionBoundary.h"
#include "MenuBar1.h"
#include "Runtime.h"
#include "WndMain.h"
#include "qzSettings.h"

void initialize() {
  RegisterFrameworkClasses();
  RuntimeRegisterClass("App", "Application");
  RuntimeRegisterClass("WndMain", "Window");
  RuntimeRegisterClass("MenuBar1", "MenuBar");
  RuntimeRegisterClass("qzURILabel", "Label");
  RuntimeRegisterClass("qzWndAbout", "Window");
  RuntimeRegisterClass("qzRamDisk");
}

void Main() {
  try {
    RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    RunFrameworkInitialization(&Startup);
    RuntimeRun();
  } catch (...) {
    UnhandledException(std::current_exception());
  }
}

void Startup() {
  RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

// The program opens no documents.
void InitFileTypes() {}

// Registering the object raises its Open: the settings are loaded before
// the main window is built.
void NewAppInstance() {
  Ref<app::App> app = New<app::App>();
  app->SetMenuBar(MenuBar1());
  RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {
  GetAppObject()->AddMenuHandler("MnuAbout", [] { return App()->MnuAbout_Action(); });
}

// The framework keeps the window; so does nothing here.
void MakeDefaultView() { WndMain(); }

void finalize() {
  RuntimeReleaseFrameworkObjects();
  MenuBar1_Release();
  qzSettingsReleaseDict();
  qzSettingsReleaseFile();
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}
