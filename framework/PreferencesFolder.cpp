#include "PreferencesFolder.h"

#include <QFile>
#include <QStandardPaths>

Ref<FolderItem> SpecialFolder::Preferences() {
  const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (path.isEmpty()) return nullptr;
  return New<FolderItem>(QFile::encodeName(path).toStdString());
}
