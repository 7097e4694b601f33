#pragma once
// What the user drags over a control, as its drag events see it.

#include <cstdint>
#include <string>

class DragItem {
public:
  // What the drop would do, as the drag events' action argument gives it.
  static constexpr int32_t kActionDefault = 0;
  static constexpr int32_t kActionCopy = 1;
  static constexpr int32_t kActionMove = 2;
  static constexpr int32_t kActionLink = 3;

  explicit DragItem(std::string text) : text_(std::move(text)) {}

  // The dragged text; empty when the drag carries none.
  const std::string& Text() const { return text_; }

private:
  std::string text_;
};
