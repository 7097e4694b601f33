#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
std::function<void(const std::string&)>& Recorder() {
  static std::function<void(const std::string&)> recorder;
  return recorder;
}
}  // namespace

void SetMsgBoxRecorder(std::function<void(const std::string&)> recorder) { Recorder() = std::move(recorder); }

void MsgBox(const std::string& text) {
  if (Recorder()) {
    Recorder()(text);
    return;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    // No GUI to show it in: the text must still reach the user.
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromStdString(text),
                  QMessageBox::Ok);
  box.exec();
}
