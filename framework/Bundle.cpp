#include "Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <filesystem>

std::string ExecutableFolder() {
  if (QCoreApplication::instance()) return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.parent_path().string();
}

std::string ResourcesFolder() {
  const std::string folder = ExecutableFolder();
  if (folder.empty()) return "";
  return (std::filesystem::path(folder).parent_path() / "Resources").string();
}

Ref<FolderItem> GetApplicationBundleResources() {
  const std::string folder = ResourcesFolder();
  if (folder.empty()) return nullptr;
  auto item = New<FolderItem>(folder);
  if (!item->IsFolder()) return nullptr;
  return item;
}
