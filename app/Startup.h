#pragma once
// The life of the process. main() calls RuntimeInit, initialize, Main,
// finalize, and returns what RuntimeExit gives.

#include <exception>

// Registers every class with the framework: the framework's own, then the
// program's.
void initialize();
// Hands the framework the exception helper, runs Startup through it and then
// the event loop. Whatever escapes goes to the unhandled-exception report;
// Main then returns as usual, so that the program still shuts down.
void Main();
// The start-up routine that the framework runs, and its steps in order.
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
// Releases the module-level objects once the event loop has ended.
void finalize();

// The exception helper: calls function with argument; hands back the
// framework exception that escapes it, null when none does. Any other
// exception passes on to the caller.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
