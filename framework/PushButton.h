#pragma once
// A push button. Action is raised when it is pressed: clicked, pressed from
// the keyboard, or, as the window's default or cancel button, by Return or
// Escape anywhere in its window.

#include <functional>
#include <string>

#include "RectControl.h"

class PushButton : public RectControl {
public:
  explicit PushButton(Window& window);

  std::function<void(PushButton&)> Open;
  std::function<void(PushButton&)> Action;

  void SetCaption(const std::string& caption);
  // The window's default button: Return presses it.
  void SetDefault(bool isDefault);
  // The window's cancel button: Escape presses it.
  void SetCancel(bool isCancel);

  const std::string& Caption() const { return caption_; }
  bool Default() const { return default_; }
  bool Cancel() const { return cancel_; }

  static const PropertyTable& Table();
  const PropertyTable& Properties() const override { return Table(); }

protected:
  void Event_Open() override;
  virtual void Event_Action();

private:
  friend struct ControlAccess;

  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
};
