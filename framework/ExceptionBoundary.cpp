#include "ExceptionBoundary.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "Exceptions.h"
#include "MsgBox.h"
#include "internal/RuntimeInternal.h"

namespace {

void Invoke(void* call) { (*static_cast<const std::function<void()>*>(call))(); }

void Report(const std::string& className, const std::string& message) {
  std::fprintf(stderr, "Unhandled %s: %s\n", className.c_str(), message.c_str());
  std::fflush(stderr);
  MsgBox("An exception of class " + className + " was not handled.\n\n" + message + "\n\nThe program must quit.");
  RuntimeFail();
}

}  // namespace

void CallIntoProgram(const std::function<void()>& call) {
  try {
    const ExceptionHelper helper = RuntimeExceptionHelper();
    if (!helper) {
      call();
      return;
    }
    const std::exception_ptr escaped = helper(&Invoke, const_cast<std::function<void()>*>(&call));
    if (escaped) std::rethrow_exception(escaped);
  } catch (...) {
    UnhandledException(std::current_exception());
  }
}

bool CallIntoProgram(const std::function<bool()>& call, bool fallback) {
  bool answer = fallback;
  CallIntoProgram([&] { answer = call(); });
  return answer;
}

std::string ExceptionClassName(const std::exception& error) {
  if (const auto* runtime = dynamic_cast<const RuntimeException*>(&error)) return runtime->ClassName();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status),
                                              std::free);
  return status == 0 && name ? name.get() : typeid(error).name();
}

void UnhandledException(const std::exception& error) { Report(ExceptionClassName(error), error.what()); }

void UnhandledException(std::exception_ptr error) {
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& known) {
    UnhandledException(known);
  } catch (...) {
    Report("(unknown exception type)", "An exception that is no std::exception was thrown.");
  }
}
