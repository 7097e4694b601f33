#include "TextField.h"

#include "ExceptionBoundary.h"
#include "internal/ControlAccess.h"

TextField::TextField(Window& window) : RectControl(window) {
  auto* edit = new TextFieldWidget(ControlAccess::ParentFor(window));
  ControlAccess::Adopt(*this, edit, true);
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString& text) {
    text_ = text.toStdString();
    CallIntoProgram([this] { Event_TextChange(); });
  });
}

void TextField::Event_Open() {
  if (Open) Open(*this);
}

void TextField::Event_TextChange() {
  if (TextChange) TextChange(*this);
}

void TextField::SetText(const std::string& text) {
  // The widget's change signal brings text_ up to date and raises TextChange.
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this)) {
    // The same text again changes nothing, not even the cursor.
    const QString wanted = QString::fromStdString(text);
    if (edit->text() != wanted) edit->setText(wanted);
  } else {
    text_ = text;
  }
}

void TextField::SetCueText(const std::string& text) {
  cueText_ = text;
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this))
    SetIfChanged(edit, &QLineEdit::placeholderText, &QLineEdit::setPlaceholderText, QString::fromStdString(text));
}

void TextField::SetPassword(bool password) {
  password_ = password;
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this))
    SetIfChanged(edit, &QLineEdit::echoMode, &QLineEdit::setEchoMode,
                 password ? QLineEdit::Password : QLineEdit::Normal);
}

void TextField::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this))
    SetIfChanged(edit, &QLineEdit::isReadOnly, &QLineEdit::setReadOnly, readOnly);
}

void TextField::SetLimitText(int32_t limit) {
  limitText_ = limit;
  // QLineEdit's own default is its "no limit".
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this))
    SetIfChanged(edit, &QLineEdit::maxLength, &QLineEdit::setMaxLength, limit > 0 ? limit : 32767);
}

void TextField::SetMask(const std::string& mask) {
  mask_ = mask;
  auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this);
  if (!edit) return;
  const QValidator* old = edit->validator();
  edit->setValidator(mask.empty() ? nullptr : new MaskValidator(QString::fromStdString(mask), edit));
  delete old;
}

void TextField::SetAlignment(int32_t alignment) {
  alignment_ = alignment;
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this)) {
    const Qt::Alignment horizontal =
        alignment == 2 ? Qt::AlignHCenter : alignment == 3 ? Qt::AlignRight : Qt::AlignLeft;
    SetIfChanged(edit, &QLineEdit::alignment, &QLineEdit::setAlignment, horizontal | Qt::AlignVCenter);
  }
}

void TextField::SetBorder(bool border) {
  border_ = border;
  if (auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this))
    SetIfChanged(edit, &QLineEdit::hasFrame, &QLineEdit::setFrame, border);
}

void TextField::SetTextColor(Color color) {
  textColor_ = color;
  ApplyColors();
}

void TextField::SetBackColor(Color color) {
  backColor_ = color;
  ApplyColors();
}

void TextField::ApplyGroups(unsigned groups) {
  RectControl::ApplyGroups(groups);
  if (groups & kPaletteGroup) ApplyColors();
}

void TextField::ApplyColors() {
  auto* edit = ControlAccess::WidgetAs<QLineEdit>(*this);
  if (!edit || Postpone(kPaletteGroup)) return;
  SetPaletteColor(edit, QPalette::Text, textColor_);
  SetPaletteColor(edit, QPalette::Base, backColor_);
}

void TextField::SetAcceptTabs(bool accept) {
  acceptTabs_ = accept;
  if (auto* edit = ControlAccess::WidgetAs<TextFieldWidget>(*this)) edit->acceptTabs = accept;
}

const PropertyTable& TextField::Table() {
  static const PropertyTable table = [] {
    PropertyTable t = RectControl::Table();
    t.Add("Text", &TextField::SetText)
        .Add("CueText", &TextField::SetCueText)
        .Add("Password", &TextField::SetPassword)
        .Add("ReadOnly", &TextField::SetReadOnly)
        .Add("LimitText", &TextField::SetLimitText)
        .Add("Mask", &TextField::SetMask)
        .Add("Alignment", &TextField::SetAlignment)
        .Add("Border", &TextField::SetBorder)
        .Add("TextColor", &TextField::SetTextColor)
        .Add("BackColor", &TextField::SetBackColor)
        .Add("AcceptTabs", &TextField::SetAcceptTabs);
    // The style draws the focus frame, Qt's line edit has neither display
    // formats nor a spelling checker, and there is no database layer to bind
    // a field to. Only kept.
    t.Keep("UseFocusRing", PropertyType::Boolean)
        .Keep("Format", PropertyType::String)
        .Keep("AutomaticallyCheckSpelling", PropertyType::Boolean)
        .Keep("DataSource", PropertyType::String)
        .Keep("DataField", PropertyType::String);
    return t;
  }();
  return table;
}
