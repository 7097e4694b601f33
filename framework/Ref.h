#pragma once
// A reference-counted object handle. Using an empty handle raises the
// framework's NilObjectException instead of undefined behaviour.

#include <memory>
#include <utility>

#include "Exceptions.h"

template <typename T>
class Ref {
public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  Ref(std::shared_ptr<T> object) : object_(std::move(object)) {}
  template <typename U>
  Ref(const Ref<U>& other) : object_(other.shared()) {}

  T* operator->() const { return &get(); }
  T& operator*() const { return get(); }
  T& get() const {
    if (!object_) throw NilObjectException();
    return *object_;
  }

  explicit operator bool() const { return object_ != nullptr; }
  bool IsNil() const { return object_ == nullptr; }
  const std::shared_ptr<T>& shared() const { return object_; }
  void Release() { object_.reset(); }

  friend bool operator==(const Ref& a, const Ref& b) { return a.object_ == b.object_; }

private:
  std::shared_ptr<T> object_;
};

template <typename T, typename... Args>
Ref<T> New(Args&&... args) {
  return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

// The same object seen as a T; nil when the handle is nil or the object is no T.
template <typename T, typename U>
Ref<T> RefCast(const Ref<U>& ref) {
  return Ref<T>(std::dynamic_pointer_cast<T>(ref.shared()));
}
