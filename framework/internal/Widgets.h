#pragma once
// The Qt side of windows and controls. Framework-internal: the program never
// includes this header.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

#include "Color.h"
#include "DragItem.h"
#include "Window.h"
#include "internal/WindowAccess.h"

class Label;

// The area below any menu bar where the controls stand; its size is the
// window's Width and Height.
class ContentArea : public QWidget {
public:
  ContentArea(Window& owner, QWidget* parent);
  QSize sizeHint() const override { return designSize_; }
  void SetDesignSize(QSize size);
  // Drawn from the top left corner over the background; null for none.
  void SetBackdrop(const QImage& backdrop);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  Window& owner_;
  QSize designSize_;
  QImage backdrop_;
};

// The top-level widget of a window: an optional menu bar on top (the
// layout's menu bar), the content area below it. While the window is open
// the widget holds the window object alive; it deletes itself once closed.
class WindowWidget : public QWidget {
public:
  WindowWidget(Window& owner, Qt::WindowFlags flags);
  ~WindowWidget() override;

  Window* owner() const { return owner_; }
  void Forget() { owner_ = nullptr; }
  void KeepAlive(std::shared_ptr<Window> window) { keepAlive_ = std::move(window); }

  ContentArea* content = nullptr;
  QVBoxLayout* layout = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  Window* owner_;
  std::shared_ptr<Window> keepAlive_;
};

struct WindowPeer {
  QPointer<WindowWidget> widget;
};

// What the window's widgets and the framework's services reach of a window.
struct WindowAccess {
  static WindowPeer& Peer(const Window& window) { return *window.peer_; }
  static void ContentResized(Window& window, int width, int height) { window.ContentResized(width, height); }
  static bool Close(Window& window, CloseReason reason);
  static bool PressButton(Window& window, bool cancel);
  static Qt::WindowFlags Flags(const Window& window);
  static bool MoveFocus(Window& window, bool forward);
  // From Constructor: the window is its class's implicit instance from now on.
  static void Register(const std::shared_ptr<Window>& window);
  // From Constructor: the window's controls exist; it is about to show.
  static void Built(const std::shared_ptr<Window>& window);
  // The controls' widgets in order of TabIndex.
  static std::vector<QWidget*> FocusOrder(const Window& window);
  static QWidget* FirstInFocusOrder(const Window& window);
};

struct ControlPeer {
  QPointer<QWidget> widget;
  // False for controls that never take the keyboard focus (labels).
  bool takesFocus = false;
};

// A label's widget: it hands the mouse, key, wheel and drag events that reach
// it to its label's events, and their answers back to the toolkit.
class LabelWidget : public QLabel {
public:
  LabelWidget(Label& owner, QWidget* parent);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  Label& owner_;
  // From a press that MouseDown answered True until its release.
  bool pressed_ = false;
  // The drag that DragEnter took, until it leaves or is dropped.
  std::unique_ptr<DragItem> drag_;
  int32_t dragAction_ = DragItem::kActionDefault;
};

class TextFieldWidget : public QLineEdit {
public:
  using QLineEdit::QLineEdit;
  bool acceptTabs = false;

protected:
  bool event(QEvent* event) override;
};

// A field's input mask as a validator: every character must fit the mask's
// character at its position, and the text may stop short of the mask's end.
class MaskValidator : public QValidator {
public:
  MaskValidator(QString mask, QObject* parent) : QValidator(parent), mask_(std::move(mask)) {}
  State validate(QString& input, int& position) const override;

private:
  QString mask_;
};

inline QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

// Calls the widget's setter only when its getter gives another value: many
// of Qt's setters send events and redraw even when nothing changes, and a
// list sets every property of a control.
template <typename W, typename Get, typename Set, typename V>
void SetIfChanged(W* widget, Get get, Set set, const V& value) {
  if ((widget->*get)() != value) (widget->*set)(value);
}

// Shows or hides a control's widget. A widget that is neither shown nor
// hidden on purpose shows with its window, so showing one in a window that
// has not been shown yet needs nothing.
void SetControlVisible(QWidget* widget, bool visible);

// Gives widget's role the colour while it is usable (active or inactive
// window); a disabled widget keeps the style's disabled colour.
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, Color color);
