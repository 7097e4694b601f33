// A window's widgets: where the window system's events reach the window.

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ExceptionBoundary.h"
#include "Window.h"
#include "internal/Widgets.h"

ContentArea::ContentArea(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

void ContentArea::SetDesignSize(QSize size) {
  designSize_ = size;
  updateGeometry();
}

void ContentArea::SetBackdrop(const QImage& backdrop) {
  if (backdrop.isNull() && backdrop_.isNull()) return;
  backdrop_ = backdrop;
  update();
}

void ContentArea::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (backdrop_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), backdrop_);
}

void ContentArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  WindowAccess::ContentResized(owner_, event->size().width(), event->size().height());
}

WindowWidget::WindowWidget(Window& owner, Qt::WindowFlags flags) : QWidget(nullptr, flags), owner_(&owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  content = new ContentArea(owner, this);
  layout->addWidget(content);
}

WindowWidget::~WindowWidget() {
  if (owner_) WindowAccess::Peer(*owner_).widget = nullptr;
  // The window object may go with this reference: its controls then delete
  // their widgets while this widget is still whole.
  keepAlive_.reset();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (!owner_ || owner_->IsClosed()) {
    event->accept();
    return;
  }
  const bool closed = CallIntoProgram([this] { return WindowAccess::Close(*owner_, CloseReason::User); }, false);
  if (closed) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool WindowWidget::focusNextPrevChild(bool next) {
  // Tab and Backtab follow the controls' TabIndex, not the order of creation.
  if (owner_ && WindowAccess::MoveFocus(*owner_, next)) return true;
  return QWidget::focusNextPrevChild(next);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (owner_ && plain) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && WindowAccess::PressButton(*owner_, false)) return;
    if (key == Qt::Key_Escape && WindowAccess::PressButton(*owner_, true)) return;
  }
  QWidget::keyPressEvent(event);
}
