#pragma once
// A static text. Besides Open and Close, a label gets the mouse, key, wheel
// and drag events that reach it (see RectControl.h for slots and methods).
// Positions are in points from the label's top left corner.
//
// The Boolean answers: True means the label took the event.
// - MouseDown (primary button only): True makes the label the press's owner:
//   MouseDrag follows while the button is held, and MouseUp at its release,
//   wherever the pointer then is. False passes the press on to the window;
//   then neither follows. MouseMove comes for moves over the label without a
//   press of its own.
// - MouseWheel, KeyDown: False passes the event on to the window. KeyUp is
//   raised for every release, KeyDown also for repeats.
// - DragEnter: True takes the drag: DragOver follows as it moves over the
//   label, and then DragExit when it leaves, or DropObject when it is dropped
//   at a point where DragOver last answered True. False refuses the drag.
// - ConstructContextualMenu gets an empty menu item, base, to append items
//   to: True shows them as a menu at the pointer (nothing when there are
//   none), False passes the request on. The item the user then chooses goes
//   to ContextualMenuAction; False lets it do what choosing it from the menu
//   bar does (the application's handler for its name, else its own action).

#include <cstdint>
#include <functional>
#include <string>

#include "Color.h"
#include "DragItem.h"
#include "RectControl.h"

class LabelWidget;
class MenuItem;

class Label : public RectControl {
public:
  explicit Label(Window& window);

  std::function<void(Label&)> Open;
  std::function<void(Label&)> Close;
  std::function<bool(Label&, int32_t x, int32_t y)> MouseDown;
  std::function<void(Label&, int32_t x, int32_t y)> MouseUp;
  std::function<void(Label&, int32_t x, int32_t y)> MouseDrag;
  std::function<void(Label&, int32_t x, int32_t y)> MouseMove;
  std::function<void(Label&)> MouseEnter;
  std::function<void(Label&)> MouseExit;
  // Whole notches of the wheel: deltaY above 0 turns down (towards the user),
  // deltaX above 0 to the right.
  std::function<bool(Label&, int32_t x, int32_t y, int32_t deltaX, int32_t deltaY)> MouseWheel;
  // key is the text that the key types; empty for keys that type none.
  std::function<bool(Label&, const std::string& key)> KeyDown;
  std::function<void(Label&, const std::string& key)> KeyUp;
  // Label texts show plain here, with no mnemonic letter to press, so the
  // platform never raises this event.
  std::function<void(Label&)> AcceleratorKey;
  std::function<bool(Label&, DragItem& item, int32_t action)> DragEnter;
  std::function<bool(Label&, int32_t x, int32_t y, DragItem& item, int32_t action)> DragOver;
  std::function<void(Label&, DragItem& item, int32_t action)> DragExit;
  std::function<void(Label&, DragItem& item, int32_t action)> DropObject;
  std::function<bool(Label&, MenuItem& base, int32_t x, int32_t y)> ConstructContextualMenu;
  std::function<bool(Label&, MenuItem& hitItem)> ContextualMenuAction;

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
  // Each raises its slot; those with an answer answer False without one.
  void Event_Open() override;
  void Event_Close() override;
  virtual bool Event_MouseDown(int32_t x, int32_t y);
  virtual void Event_MouseUp(int32_t x, int32_t y);
  virtual void Event_MouseDrag(int32_t x, int32_t y);
  virtual void Event_MouseMove(int32_t x, int32_t y);
  virtual void Event_MouseEnter();
  virtual void Event_MouseExit();
  virtual bool Event_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  virtual bool Event_KeyDown(const std::string& key);
  virtual void Event_KeyUp(const std::string& key);
  virtual void Event_AcceleratorKey();
  virtual bool Event_DragEnter(DragItem& item, int32_t action);
  virtual bool Event_DragOver(int32_t x, int32_t y, DragItem& item, int32_t action);
  virtual void Event_DragExit(DragItem& item, int32_t action);
  virtual void Event_DropObject(DragItem& item, int32_t action);
  virtual bool Event_ConstructContextualMenu(MenuItem& base, int32_t x, int32_t y);
  virtual bool Event_ContextualMenuAction(MenuItem& hitItem);

private:
  friend class LabelWidget;  // delivers the events

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
