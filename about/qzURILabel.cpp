#include "qzURILabel.h"

#include "MouseCursor.h"
#include "ShowURL.h"

namespace {
constexpr Color kLinkColor = Color::FromRGB(0x3090FF);
constexpr Color kPressedColor = Color::FromRGB(0x9030FF);
}  // namespace

void qzURILabel::Event_Open() {
  // Whatever colour the holder's layout gave, and whether or not a URI follows.
  SetTextColor(kLinkColor);
  qzURI = InitURI ? InitURI(*this) : std::string();
}

void qzURILabel::Event_MouseEnter() {
  if (HasURI()) SetMouseCursor(Cursors::FingerPointer());
}

void qzURILabel::Event_MouseExit() {
  if (HasURI()) SetMouseCursor(Cursors::StandardPointer());
}

bool qzURILabel::Event_MouseDown(int32_t, int32_t) {
  if (!HasURI()) return false;
  SetTextColor(kPressedColor);
  return true;
}

// Wherever the button is released: the press on the label is what counts.
void qzURILabel::Event_MouseUp(int32_t, int32_t) {
  if (!HasURI()) return;
  SetTextColor(kLinkColor);
  SetMouseCursor(Cursors::StandardPointer());
  ShowURL(qzURI);
}

bool qzURILabel::Event_DragEnter(DragItem&, int32_t) { return false; }
void qzURILabel::Event_DragExit(DragItem&, int32_t) {}
bool qzURILabel::Event_DragOver(int32_t, int32_t, DragItem&, int32_t) { return false; }
void qzURILabel::Event_DropObject(DragItem&, int32_t) {}
bool qzURILabel::Event_MouseWheel(int32_t, int32_t, int32_t, int32_t) { return false; }
void qzURILabel::Event_MouseMove(int32_t, int32_t) {}
void qzURILabel::Event_MouseDrag(int32_t, int32_t) {}
void qzURILabel::Event_KeyUp(const std::string&) {}
bool qzURILabel::Event_KeyDown(const std::string&) { return false; }
void qzURILabel::Event_AcceleratorKey() {}
void qzURILabel::Event_Close() {}
bool qzURILabel::Event_ConstructContextualMenu(MenuItem&, int32_t, int32_t) { return false; }
bool qzURILabel::Event_ContextualMenuAction(MenuItem&) { return false; }
