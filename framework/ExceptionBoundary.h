#pragma once
// Every call from the toolkit into the program goes through CallIntoProgram,
// so that an exception escaping a handler is reported and never unwinds
// through Qt.

#include <exception>
#include <functional>
#include <string>

// Runs call; an exception that escapes it goes to UnhandledException.
void CallIntoProgram(const std::function<void()>& call);
// The same for a handler with a Boolean answer; fallback when it threw.
bool CallIntoProgram(const std::function<bool()>& call, bool fallback);

// The framework's report of an exception that nothing caught.
void UnhandledException(const std::exception& error);

// The class name of an exception as the report shows it.
std::string ExceptionClassName(const std::exception& error);
