#include "PushButton.h"

#include "ExceptionBoundary.h"
#include "internal/ControlAccess.h"

PushButton::PushButton(Window& window) : RectControl(window) {
  auto* button = new QPushButton(ControlAccess::ParentFor(window));
  // Return presses the window's default button only (see Window), not
  // whichever button has the focus.
  button->setAutoDefault(false);
  ControlAccess::Adopt(*this, button, true);
  QObject::connect(button, &QPushButton::clicked, button, [this] { CallIntoProgram([this] { Event_Action(); }); });
}

void PushButton::Event_Open() {
  if (Open) Open(*this);
}

void PushButton::Event_Action() {
  if (Action) Action(*this);
}

void PushButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (auto* button = ControlAccess::WidgetAs<QPushButton>(*this)) button->setText(QString::fromStdString(caption));
}

void PushButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  // Qt presses default buttons only in dialogs; the window does it here, and
  // this only gives the button the style's default look.
  if (auto* button = ControlAccess::WidgetAs<QPushButton>(*this)) button->setDefault(isDefault);
}

void PushButton::SetCancel(bool isCancel) { cancel_ = isCancel; }

const PropertyTable& PushButton::Table() {
  static const PropertyTable table = [] {
    PropertyTable t = RectControl::Table();
    t.Add("Caption", &PushButton::SetCaption)
        .Add("Default", &PushButton::SetDefault)
        .Add("Cancel", &PushButton::SetCancel);
    // The style draws every push button alike. Only kept.
    t.Keep("ButtonStyle", PropertyType::Integer);
    return t;
  }();
  return table;
}
