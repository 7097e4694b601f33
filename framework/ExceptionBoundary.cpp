#include "ExceptionBoundary.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "Exceptions.h"

void CallIntoProgram(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& error) {
    UnhandledException(error);
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

void UnhandledException(const std::exception& error) {
  std::fprintf(stderr, "Unhandled %s: %s\n", ExceptionClassName(error).c_str(), error.what());
}
