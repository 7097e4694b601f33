#pragma once
// A label that is a link. When it opens it paints its text in the link
// colour and asks its holder for the URI (InitURI); while it has one, the
// pointer is a pointing hand over it, the text turns to the pressed colour
// while the button is held down on it, and each release opens the URI with
// the desktop's handler. A label without a URI keeps the link colour and
// does nothing else.

#include <functional>
#include <string>

#include "Label.h"

class qzURILabel : public Label {
public:
  explicit qzURILabel(Window& window) : Label(window) {}

  // Asked once, when the label opens; the answer is the URI, used as it is.
  // No handler, or the empty string, leaves the label without a link.
  std::function<std::string(qzURILabel&)> InitURI;

protected:
  // The label handles every event of its own; it passes none on to handlers
  // of its holder.
  void Event_MouseUp(int32_t x, int32_t y) override;
  bool Event_MouseDown(int32_t x, int32_t y) override;
  bool Event_DragEnter(DragItem& item, int32_t action) override;
  void Event_DragExit(DragItem& item, int32_t action) override;
  bool Event_DragOver(int32_t x, int32_t y, DragItem& item, int32_t action) override;
  void Event_DropObject(DragItem& item, int32_t action) override;
  bool Event_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY) override;
  void Event_MouseMove(int32_t x, int32_t y) override;
  void Event_MouseDrag(int32_t x, int32_t y) override;
  void Event_KeyUp(const std::string& key) override;
  bool Event_KeyDown(const std::string& key) override;
  void Event_MouseEnter() override;
  void Event_MouseExit() override;
  void Event_AcceleratorKey() override;
  void Event_Close() override;
  void Event_Open() override;
  bool Event_ConstructContextualMenu(MenuItem& base, int32_t x, int32_t y) override;
  bool Event_ContextualMenuAction(MenuItem& hitItem) override;

private:
  // Whether the label has a link: any URI but the empty string, blanks too.
  bool HasURI() const { return qzURI != ""; }

  // What a click opens; set once, when the label opens.
  std::string qzURI;
};
