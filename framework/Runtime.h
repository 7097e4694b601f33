#pragma once
// The life of the process, as main() goes through it:
//   RuntimeInit, register the classes, RuntimeSetExceptionHelper,
//   RunFrameworkInitialization with the start-up routine, RuntimeRun,
//   RuntimeReleaseFrameworkObjects, release the program's module-level
//   objects, return RuntimeExit's status.
// An exception that escapes start-up or a handler is reported by
// UnhandledException (ExceptionBoundary.h); the application then quits the
// usual way, Close included, and RuntimeExit gives a non-zero status.

#include <cstdint>
#include <exception>
#include <string>

#include "Application.h"
#include "Ref.h"

// Makes the toolkit's application object. Before anything else. Only the
// program's own path is passed on: no argument changes what it does.
void RuntimeInit(int& argc, char** argv);
// The name a user sees where a window or message names no title of its own.
void SetApplicationName(const std::string& name);
// Ends the framework and gives the exit status: the code given to the first
// Quit, but at least 1 when an exception went unhandled. Last of all.
int32_t RuntimeExit();

// Calls function with argument. Returns a null pointer when it returns, the
// exception when a RuntimeException escapes it; any other exception passes on.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);
// Every call from the framework into the program then runs through helper.
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs the start-up routine, once; later calls do nothing.
void RunFrameworkInitialization(void (*startup)());
// The steps that make the framework's classes and its shell facility usable.
// Everything is linked into the program, so there is nothing to load: they
// keep their place in start-up and do nothing.
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();

// Makes app the application object and raises its Open event at once. Open
// runs inside the caller: an exception that escapes it ends start-up.
void RuntimeRegisterAppObject(const Ref<Application>& app);
// The application object; nil before one is registered.
Ref<Application> GetAppObject();

// Releases what the framework keeps for the program: its windows, with their
// widgets and no events raised, and the registered classes. Once the event
// loop has ended, before the program releases its own objects.
void RuntimeReleaseFrameworkObjects();

// Runs the event loop until the application quits. When it returns, the
// application object's Close has run. Returns at once when the application
// quit during start-up.
void RuntimeRun();
