#pragma once
// The shape of the mouse pointer over a control (RectControl::SetMouseCursor).

#include "Ref.h"

class MouseCursor {
public:
  enum class Shape { Arrow, PointingHand };
  explicit MouseCursor(Shape shape) : shape_(shape) {}
  Shape GetShape() const { return shape_; }

private:
  Shape shape_;
};

// The platform's own cursors, a new object at each call.
namespace Cursors {
// The standard arrow.
inline Ref<MouseCursor> StandardPointer() { return New<MouseCursor>(MouseCursor::Shape::Arrow); }
// The pointing hand that links show.
inline Ref<MouseCursor> FingerPointer() { return New<MouseCursor>(MouseCursor::Shape::PointingHand); }
}  // namespace Cursors
