#include "Label.h"

#include "internal/ControlAccess.h"

Label::Label(Window& window) : RectControl(window) {
  auto* label = new LabelWidget(*this, ControlAccess::ParentFor(window));
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  ControlAccess::Adopt(*this, label, false);
  ApplyAlignment();
}

void Label::Event_Open() {
  if (Open) Open(*this);
}

void Label::Event_Close() {
  if (Close) Close(*this);
}

bool Label::Event_MouseDown(int32_t x, int32_t y) { return MouseDown && MouseDown(*this, x, y); }

void Label::Event_MouseUp(int32_t x, int32_t y) {
  if (MouseUp) MouseUp(*this, x, y);
}

void Label::Event_MouseDrag(int32_t x, int32_t y) {
  if (MouseDrag) MouseDrag(*this, x, y);
}

void Label::Event_MouseMove(int32_t x, int32_t y) {
  if (MouseMove) MouseMove(*this, x, y);
}

void Label::Event_MouseEnter() {
  if (MouseEnter) MouseEnter(*this);
}

void Label::Event_MouseExit() {
  if (MouseExit) MouseExit(*this);
}

bool Label::Event_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY) {
  return MouseWheel && MouseWheel(*this, x, y, deltaX, deltaY);
}

bool Label::Event_KeyDown(const std::string& key) { return KeyDown && KeyDown(*this, key); }

void Label::Event_KeyUp(const std::string& key) {
  if (KeyUp) KeyUp(*this, key);
}

void Label::Event_AcceleratorKey() {
  if (AcceleratorKey) AcceleratorKey(*this);
}

bool Label::Event_DragEnter(DragItem& item, int32_t action) { return DragEnter && DragEnter(*this, item, action); }

bool Label::Event_DragOver(int32_t x, int32_t y, DragItem& item, int32_t action) {
  return DragOver && DragOver(*this, x, y, item, action);
}

void Label::Event_DragExit(DragItem& item, int32_t action) {
  if (DragExit) DragExit(*this, item, action);
}

void Label::Event_DropObject(DragItem& item, int32_t action) {
  if (DropObject) DropObject(*this, item, action);
}

bool Label::Event_ConstructContextualMenu(MenuItem& base, int32_t x, int32_t y) {
  return ConstructContextualMenu && ConstructContextualMenu(*this, base, x, y);
}

bool Label::Event_ContextualMenuAction(MenuItem& hitItem) {
  return ContextualMenuAction && ContextualMenuAction(*this, hitItem);
}

void Label::SetText(const std::string& text) {
  text_ = text;
  if (auto* label = ControlAccess::WidgetAs<QLabel>(*this)) label->setText(QString::fromStdString(text));
}

void Label::SetTextAlign(int32_t align) {
  textAlign_ = align;
  ApplyAlignment();
}

void Label::SetTextColor(Color color) {
  textColor_ = color;
  ApplyPalette();
}

void Label::SetMultiline(bool multiline) {
  multiline_ = multiline;
  if (auto* label = ControlAccess::WidgetAs<QLabel>(*this))
    SetIfChanged(label, &QLabel::wordWrap, &QLabel::setWordWrap, multiline);
  ApplyAlignment();
}

void Label::SetSelectable(bool selectable) {
  selectable_ = selectable;
  if (auto* label = ControlAccess::WidgetAs<QLabel>(*this))
    SetIfChanged(label, &QLabel::textInteractionFlags, &QLabel::setTextInteractionFlags,
                 selectable ? Qt::TextInteractionFlags(Qt::TextSelectableByMouse) : Qt::NoTextInteraction);
}

void Label::ApplyGroups(unsigned groups) {
  RectControl::ApplyGroups(groups);
  if (groups & kAlignmentGroup) ApplyAlignment();
  if (groups & kPaletteGroup) ApplyPalette();
}

void Label::ApplyPalette() {
  auto* label = ControlAccess::WidgetAs<QLabel>(*this);
  if (!label || Postpone(kPaletteGroup)) return;
  SetPaletteColor(label, QPalette::WindowText, textColor_);
}

void Label::ApplyAlignment() {
  auto* label = ControlAccess::WidgetAs<QLabel>(*this);
  if (!label || Postpone(kAlignmentGroup)) return;
  const Qt::Alignment horizontal = textAlign_ == 1   ? Qt::AlignHCenter
                                   : textAlign_ == 2 ? Qt::AlignRight
                                                     : Qt::AlignLeft;
  // One line stands level with the fields beside it; wrapped text starts at the top.
  SetIfChanged(label, &QLabel::alignment, &QLabel::setAlignment,
               horizontal | (multiline_ ? Qt::AlignTop : Qt::AlignVCenter));
}

const PropertyTable& Label::Table() {
  static const PropertyTable table = [] {
    PropertyTable t = RectControl::Table();
    t.Add("Text", &Label::SetText)
        .Add("TextAlign", &Label::SetTextAlign)
        .Add("TextColor", &Label::SetTextColor)
        .Add("Multiline", &Label::SetMultiline)
        .Add("Selectable", &Label::SetSelectable);
    // Qt labels always draw on their window's background, and there is no
    // database layer to bind a label to. Only kept.
    t.Keep("Transparent", PropertyType::Boolean)
        .Keep("DataSource", PropertyType::String)
        .Keep("DataField", PropertyType::String);
    return t;
  }();
  return table;
}
