// Where the toolkit's mouse, key, wheel and drag events reach a label.

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

#include "ExceptionBoundary.h"
#include "Label.h"
#include "MenuItem.h"
#include "internal/MenuItemQt.h"
#include "internal/Widgets.h"

namespace {

int32_t DragAction(Qt::DropAction action) {
  switch (action) {
    case Qt::CopyAction:
      return DragItem::kActionCopy;
    case Qt::MoveAction:
      return DragItem::kActionMove;
    case Qt::LinkAction:
      return DragItem::kActionLink;
    default:
      return DragItem::kActionDefault;
  }
}

// The item below item whose action is action; nullptr when there is none.
MenuItem* ItemOf(const MenuItem& item, const QAction* action) {
  for (int32_t i = 0; i < item.Count(); ++i) {
    MenuItem& child = *item.Item(i);
    if (&child.Qt().Action() == action) return &child;
    if (MenuItem* found = ItemOf(child, action)) return found;
  }
  return nullptr;
}

// While a contextual menu is up, its items are chosen for the label alone.
void SilenceChoices(const MenuItem& item, bool silent) {
  for (int32_t i = 0; i < item.Count(); ++i) {
    MenuItem& child = *item.Item(i);
    child.Qt().Action().blockSignals(silent);
    SilenceChoices(child, silent);
  }
}

// One notch of a mouse wheel turns it 15 degrees, in eighths of a degree.
int32_t Notches(int eighths) { return static_cast<int32_t>(std::lround(eighths / 120.0)); }

}  // namespace

LabelWidget::LabelWidget(Label& owner, QWidget* parent) : QLabel(parent), owner_(owner) {
  // Moves without a button held, for MouseMove.
  setMouseTracking(true);
  setAcceptDrops(true);
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  pressed_ = CallIntoProgram([&] { return owner_.Event_MouseDown(at.x(), at.y()); }, false);
  if (pressed_) {
    event->accept();
  } else {
    QLabel::mousePressEvent(event);
  }
}

void LabelWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (pressed_) {
    CallIntoProgram([&] { owner_.Event_MouseDrag(at.x(), at.y()); });
    event->accept();
    return;
  }
  // With a press that another widget took, moves may come from outside.
  if (rect().contains(at)) CallIntoProgram([&] { owner_.Event_MouseMove(at.x(), at.y()); });
  QLabel::mouseMoveEvent(event);
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  const QPoint at = event->position().toPoint();
  CallIntoProgram([&] { owner_.Event_MouseUp(at.x(), at.y()); });
  event->accept();
}

void LabelWidget::enterEvent(QEnterEvent* event) {
  CallIntoProgram([&] { owner_.Event_MouseEnter(); });
  QLabel::enterEvent(event);
}

void LabelWidget::leaveEvent(QEvent* event) {
  CallIntoProgram([&] { owner_.Event_MouseExit(); });
  QLabel::leaveEvent(event);
}

void LabelWidget::wheelEvent(QWheelEvent* event) {
  const QPoint at = event->position().toPoint();
  const QPoint turn = event->angleDelta();
  // The toolkit counts turns up (away from the user) and to the left as positive.
  const bool took = CallIntoProgram(
      [&] { return owner_.Event_MouseWheel(at.x(), at.y(), -Notches(turn.x()), -Notches(turn.y())); }, false);
  if (took) {
    event->accept();
  } else {
    QLabel::wheelEvent(event);
  }
}

void LabelWidget::keyPressEvent(QKeyEvent* event) {
  const std::string key = event->text().toStdString();
  if (CallIntoProgram([&] { return owner_.Event_KeyDown(key); }, false)) {
    event->accept();
  } else {
    QLabel::keyPressEvent(event);
  }
}

void LabelWidget::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press; it is released once.
  if (!event->isAutoRepeat()) {
    const std::string key = event->text().toStdString();
    CallIntoProgram([&] { owner_.Event_KeyUp(key); });
  }
  QLabel::keyReleaseEvent(event);
}

void LabelWidget::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  auto item = std::make_unique<DragItem>(mime && mime->hasText() ? mime->text().toStdString() : std::string());
  const int32_t action = DragAction(event->proposedAction());
  if (CallIntoProgram([&] { return owner_.Event_DragEnter(*item, action); }, false)) {
    drag_ = std::move(item);
    dragAction_ = action;
    event->acceptProposedAction();
  } else {
    drag_.reset();
    event->ignore();
  }
}

void LabelWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (!drag_) {
    event->ignore();
    return;
  }
  const QPoint at = event->position().toPoint();
  dragAction_ = DragAction(event->proposedAction());
  if (CallIntoProgram([&] { return owner_.Event_DragOver(at.x(), at.y(), *drag_, dragAction_); }, false)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void LabelWidget::dragLeaveEvent(QDragLeaveEvent* event) {
  if (const std::unique_ptr<DragItem> item = std::move(drag_))
    CallIntoProgram([&] { owner_.Event_DragExit(*item, dragAction_); });
  event->accept();
}

void LabelWidget::dropEvent(QDropEvent* event) {
  const std::unique_ptr<DragItem> item = std::move(drag_);
  if (!item) {
    event->ignore();
    return;
  }
  const int32_t action = DragAction(event->proposedAction());
  CallIntoProgram([&] { owner_.Event_DropObject(*item, action); });
  event->acceptProposedAction();
}

void LabelWidget::contextMenuEvent(QContextMenuEvent* event) {
  const Ref<MenuItem> base = New<MenuItem>();
  const QPoint at = event->pos();
  if (!CallIntoProgram([&] { return owner_.Event_ConstructContextualMenu(*base, at.x(), at.y()); }, false)) {
    QLabel::contextMenuEvent(event);
    return;
  }
  event->accept();
  if (base->Count() == 0) return;
  const QPointer<LabelWidget> self(this);
  SilenceChoices(*base, true);
  const QAction* chosen = base->Qt().Menu().exec(event->globalPos());
  SilenceChoices(*base, false);
  MenuItem* hit = ItemOf(*base, chosen);
  // The window may have gone while the menu was up.
  if (!self || !hit) return;
  if (!CallIntoProgram([&] { return owner_.Event_ContextualMenuAction(*hit); }, false)) ChooseMenuItem(*hit);
}
