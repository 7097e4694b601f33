#pragma once
// A one-line text entry field.
//
// TextChange is raised whenever the field's text changes, whether the user
// typed it or the program set it with SetText; setting the text the field
// already holds raises nothing. A text set by the program is not checked
// against the Mask, but it is cut to LimitText characters.

#include <functional>
#include <string>

#include "Color.h"
#include "RectControl.h"

class TextField : public RectControl {
public:
  explicit TextField(Window& window);

  std::function<void(TextField&)> Open;
  std::function<void(TextField&)> TextChange;

  void SetText(const std::string& text);
  // The hint shown while the field is empty.
  void SetCueText(const std::string& text);
  void SetPassword(bool password);
  void SetReadOnly(bool readOnly);
  // The most characters the field takes, typed or pasted; 0 for no limit.
  void SetLimitText(int32_t limit);
  // What the user may type, one mask character per position: 9, 0 or # a
  // decimal digit, A a letter or digit, ? a letter, & any character; any
  // other character stands for itself. The text may stop short of the mask's
  // end, so "9999" admits up to four digits. Empty for no mask.
  void SetMask(const std::string& mask);
  // 0 the default (left), 1 left, 2 centre, 3 right.
  void SetAlignment(int32_t alignment);
  void SetBorder(bool border);
  void SetTextColor(Color color);
  void SetBackColor(Color color);
  // A Tab key press is typed into the field instead of moving the focus.
  void SetAcceptTabs(bool accept);

  const std::string& Text() const { return text_; }
  const std::string& CueText() const { return cueText_; }
  bool Password() const { return password_; }
  bool ReadOnly() const { return readOnly_; }
  int32_t LimitText() const { return limitText_; }
  const std::string& Mask() const { return mask_; }
  int32_t Alignment() const { return alignment_; }
  bool Border() const { return border_; }
  Color TextColor() const { return textColor_; }
  Color BackColor() const { return backColor_; }
  bool AcceptTabs() const { return acceptTabs_; }

  static const PropertyTable& Table();
  const PropertyTable& Properties() const override { return Table(); }

protected:
  void Event_Open() override;
  virtual void Event_TextChange();

private:
  friend struct ControlAccess;
  enum : unsigned { kPaletteGroup = kFirstOwnGroup };
  void ApplyGroups(unsigned groups) override;
  void ApplyColors();

  std::string text_;
  std::string cueText_;
  bool password_ = false;
  bool readOnly_ = false;
  int32_t limitText_ = 0;
  std::string mask_;
  int32_t alignment_ = 0;
  bool border_ = true;
  Color textColor_;
  Color backColor_ = Color::FromRGB(0xFFFFFF);
  bool acceptTabs_ = false;
};
