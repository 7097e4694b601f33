#include "ShowURL.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<void(const std::string&)>& Recorder() {
  static std::function<void(const std::string&)> recorder;
  return recorder;
}
}  // namespace

void SetShowURLRecorder(std::function<void(const std::string&)> recorder) { Recorder() = std::move(recorder); }

void ShowURL(const std::string& uri) {
  if (Recorder()) {
    Recorder()(uri);
    return;
  }
  QDesktopServices::openUrl(QUrl(QString::fromStdString(uri)));
}
