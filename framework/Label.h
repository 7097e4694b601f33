#pragma once
// A static text.

#include <functional>
#include <string>

#include "Color.h"
#include "RectControl.h"

class Label : public RectControl {
public:
  explicit Label(Window& window);

  std::function<void(Label&)> Open;

  void SetText(const std::string& text);
  // 0 left, 1 centre, 2 right.
  void SetTextAlign(int32_t align);
  void SetTextColor(Color color);
  // Multiline wraps the text at the label's width, from its top.
  void SetMultiline(bool multiline);
  // The user can select the text with the mouse and copy it.
  void SetSelectable(bool selectable);

  const std::string& Text() const { return text_; }
  int32_t TextAlign() const { return textAlign_; }
  Color TextColor() const { return textColor_; }
  bool Multiline() const { return multiline_; }
  bool Selectable() const { return selectable_; }

  static const PropertyTable& Table();
  const PropertyTable& Properties() const override { return Table(); }

protected:
  void Event_Open() override;

private:
  enum : unsigned { kAlignmentGroup = kFirstOwnGroup, kPaletteGroup = kFirstOwnGroup << 1 };
  void ApplyGroups(unsigned groups) override;
  void ApplyAlignment();
  void ApplyPalette();

  std::string text_;
  int32_t textAlign_ = 0;
  Color textColor_;
  bool multiline_ = false;
  bool selectable_ = false;
};
