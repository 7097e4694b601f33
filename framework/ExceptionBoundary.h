#pragma once
// Every call from the toolkit into the program goes through CallIntoProgram,
// so that an exception escaping a handler is reported and never unwinds
// through Qt.

#include <exception>
#include <functional>
#include <string>

// Runs call, through the program's exception helper when it gave one; an
// exception that escapes goes to UnhandledException.
void CallIntoProgram(const std::function<void()>& call);
// The same for a handler with a Boolean answer; fallback when it threw.
bool CallIntoProgram(const std::function<bool()>& call, bool fallback);

// The framework's report of an exception that nothing caught: a line on
// standard error and a message box, each naming the exception's class; then
// the application quits the usual way, with a non-zero exit status.
void UnhandledException(const std::exception& error);
// The same for an exception of any kind, as catch (...) has it; a null
// pointer reports nothing.
void UnhandledException(std::exception_ptr error);

// The class name of an exception as the report shows it.
std::string ExceptionClassName(const std::exception& error);
