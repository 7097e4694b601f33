#pragma once
// The base of every control that occupies a rectangle of a window's content
// area. Constructing a control (the class's constructor, given its window)
// makes its widget in that window; AddControl then makes the window hold it.
//
// Events: each control class has one handler slot per event, attached by the
// window that builds the control, e.g.
//   field->TextChange = [this](TextField& f) { EdfSize_TextChange(f); };
// and one virtual event method per event (Event_Open and so on) whose default
// raises the slot. A control subclass that handles an event itself overrides
// the method; the slot is then raised only if the subclass calls the base.

#include <cstdint>
#include <memory>
#include <string>

#include "MouseCursor.h"
#include "PropertyObject.h"
#include "Ref.h"

class Window;
struct ControlPeer;

class RectControl : public PropertyObject {
public:
  ~RectControl() override;
  RectControl(const RectControl&) = delete;
  RectControl& operator=(const RectControl&) = delete;

  Window& ParentWindow() const { return window_; }

  void SetName(const std::string& name);
  // Position in points from the content area's left and top edges.
  void SetLeft(int32_t left);
  void SetTop(int32_t top);
  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  // The edges of a resizeable window that the control keeps its distance to:
  // locked left and right, it grows with the window; locked right only, it
  // moves with the right edge. The same for top and bottom.
  void SetLockLeft(bool lock);
  void SetLockTop(bool lock);
  void SetLockRight(bool lock);
  void SetLockBottom(bool lock);
  // Place in the window's keyboard focus order, lowest first.
  void SetTabIndex(int32_t index);
  // Whether the Tab key stops at the control; a control that never takes the
  // keyboard focus (a label) ignores it.
  void SetTabStop(bool stop);
  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  // The tooltip; empty for none.
  void SetHelpTag(const std::string& text);
  // A font family name; "System" is the platform's default GUI font.
  void SetTextFont(const std::string& family);
  void SetBold(bool bold);
  void SetItalic(bool italic);
  void SetUnderline(bool underline);
  // The text's size in points, the unit of the control's place and size (a
  // device-independent pixel here); 0 for the platform's default size.
  void SetTextSize(float size);
  // Only the default unit, 0 (points), exists here; the value is kept.
  void SetTextUnit(int32_t unit) { textUnit_ = unit; }
  // The pointer shown while the mouse is over the control; nil for the one
  // its window shows.
  void SetMouseCursor(const Ref<::MouseCursor>& cursor);

  const std::string& Name() const { return name_; }
  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool LockLeft() const { return lockLeft_; }
  bool LockTop() const { return lockTop_; }
  bool LockRight() const { return lockRight_; }
  bool LockBottom() const { return lockBottom_; }
  int32_t TabIndex() const { return tabIndex_; }
  bool TabStop() const { return tabStop_; }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  const std::string& HelpTag() const { return helpTag_; }
  const std::string& TextFont() const { return textFont_; }
  bool Bold() const { return bold_; }
  bool Italic() const { return italic_; }
  bool Underline() const { return underline_; }
  float TextSize() const { return textSize_; }
  int32_t TextUnit() const { return textUnit_; }
  const Ref<::MouseCursor>& MouseCursor() const { return mouseCursor_; }

  // The properties every control class shares; each class's table starts
  // from these.
  static const PropertyTable& Table();

protected:
  explicit RectControl(Window& window);

  // The control's Open event: raised once, after its window has been built.
  virtual void Event_Open() = 0;
  // The control's Close event: raised once, as its window closes, after the
  // window's own Close event.
  virtual void Event_Close() {}

  // Groups of properties applied to the widget together (see Postpone);
  // a control class numbers its own from kFirstOwnGroup on.
  enum : unsigned { kGeometryGroup = 1, kFontGroup = 2, kFirstOwnGroup = 4 };
  void ApplyGroups(unsigned groups) override;
  // Brings the widget in line with the stored font properties.
  void ApplyFont();

private:
  friend struct ControlAccess;
  friend struct WindowAccess;
  friend class Window;

  void ApplyGeometry();
  void ApplyCursor();
  void FollowWindowEdges(int32_t widthChange, int32_t heightChange);

  Window& window_;
  std::unique_ptr<ControlPeer> peer_;
  std::string name_;
  int32_t left_ = 0, top_ = 0, width_ = 80, height_ = 22;
  bool lockLeft_ = true, lockTop_ = true, lockRight_ = false, lockBottom_ = false;
  int32_t tabIndex_ = 0;
  bool tabStop_ = true;
  bool enabled_ = true;
  bool visible_ = true;
  std::string helpTag_;
  std::string textFont_ = "System";
  bool bold_ = false, italic_ = false, underline_ = false;
  float textSize_ = 0;
  int32_t textUnit_ = 0;
  Ref<::MouseCursor> mouseCursor_;
};
