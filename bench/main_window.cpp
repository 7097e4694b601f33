// Building and showing the main window on the offscreen platform, against
// building the same six Qt widgets with the same geometry, texts and limits
// directly in Qt, in the same run. What is left is our own overhead: the
// property lists, the registries, the content area and the events.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <cstdio>

#include "Measure.h"
#include "WndMain.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"

namespace {

void SettleEvents() {
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QLabel* BareLabel(QWidget* parent, const char* text, QRect rect, Qt::Alignment align) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setGeometry(rect);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

QLineEdit* BareField(QWidget* parent, const char* text, QRect rect) {
  auto* field = new QLineEdit(QString::fromUtf8(text), parent);
  field->setGeometry(rect);
  return field;
}

void BuildBare() {
  auto* window = new QWidget;
  window->setWindowTitle("Tamberlow (Brisquel)");
  window->setFixedSize(527, 85);
  BareLabel(window, "Size of RAM disk:", QRect(14, 14, 127, 20), Qt::AlignRight);
  BareLabel(window, "MB", QRect(209, 14, 64, 20), Qt::AlignLeft);
  BareLabel(window, "Name of disk:", QRect(14, 46, 127, 20), Qt::AlignRight);
  QLineEdit* name = BareField(window, "RamDisk", QRect(153, 45, 193, 22));
  name->setPlaceholderText("RamDisk");
  auto* button = new QPushButton("Create disk", window);
  button->setGeometry(367, 45, 140, 20);
  button->setDefault(true);
  QLineEdit* size = BareField(window, "50", QRect(153, 13, 50, 22));
  size->setMaxLength(4);
  size->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), size));
  QWidget::setTabOrder(name, button);
  QWidget::setTabOrder(button, size);
  window->show();
  SettleEvents();
  delete window;
  SettleEvents();
}

void BuildOurs() {
  WndMain();
  SettleEvents();
  DestroyAllWindows();
  SettleEvents();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");

  // Fonts, styles and the platform window machinery load on first use.
  BuildBare();
  BuildOurs();

  const int rounds = 500;
  const auto [ours, bare] = MedianSecondsInterleaved(rounds, BuildOurs, BuildBare);
  const bool ok = Report("main window built and shown vs the same six bare Qt widgets", ours, bare, 1.30);
  return ok ? 0 : 1;
}
