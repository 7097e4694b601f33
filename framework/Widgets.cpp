#include <QKeyEvent>

#include "internal/Widgets.h"

void SetControlVisible(QWidget* widget, bool visible) {
  const bool followsWindow = !widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
  if (visible && followsWindow && widget->parentWidget() && !widget->parentWidget()->isVisible()) return;
  widget->setVisible(visible);
}

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, Color color) {
  const QColor wanted = ToQColor(color);
  QPalette palette = widget->palette();
  if (palette.color(QPalette::Active, role) == wanted && palette.color(QPalette::Inactive, role) == wanted) return;
  palette.setColor(QPalette::Active, role, wanted);
  palette.setColor(QPalette::Inactive, role, wanted);
  widget->setPalette(palette);
}

bool TextFieldWidget::event(QEvent* event) {
  if (acceptTabs && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
      insert(QStringLiteral("\t"));
      return true;
    }
  }
  return QLineEdit::event(event);
}

QValidator::State MaskValidator::validate(QString& input, int&) const {
  if (input.size() > mask_.size()) return Invalid;
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input[i], m = mask_[i];
    const bool digit = c >= u'0' && c <= u'9';
    bool fits;
    switch (m.unicode()) {
      case u'9':
      case u'0':
      case u'#':
        fits = digit;
        break;
      case u'A':
        fits = digit || c.isLetter();
        break;
      case u'?':
        fits = c.isLetter();
        break;
      case u'&':
        fits = true;
        break;
      default:
        fits = c == m;
    }
    if (!fits) return Invalid;
  }
  return Acceptable;
}
