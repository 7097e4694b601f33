#pragma once
// The framework's exceptions. Handlers of the program never catch them; the
// framework's exception boundary reports whatever escapes a handler.

#include <stdexcept>
#include <string>

class RuntimeException : public std::runtime_error {
public:
  explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
  // The class name shown by the unhandled-exception report.
  virtual const char* ClassName() const noexcept { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
public:
  NilObjectException() : RuntimeException("A nil object was used.") {}
  const char* ClassName() const noexcept override { return "NilObjectException"; }
};

class KeyNotFoundException : public RuntimeException {
public:
  KeyNotFoundException() : RuntimeException("The key was not found.") {}
  const char* ClassName() const noexcept override { return "KeyNotFoundException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
  OutOfBoundsException() : RuntimeException("The index is out of bounds.") {}
  const char* ClassName() const noexcept override { return "OutOfBoundsException"; }
};
