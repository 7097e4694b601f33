#include "FolderItem.h"

#include <sys/stat.h>

#include <filesystem>

Ref<FolderItem> FolderItem::Child(const std::string& name) const {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return nullptr;
  return New<FolderItem>((std::filesystem::path(path_) / name).string());
}

Ref<FolderItem> FolderItem::Parent() const {
  std::filesystem::path path = std::filesystem::path(path_).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();  // "/a/b/" names the same entry as "/a/b"
  const std::filesystem::path parent = path.parent_path();
  if (parent.empty() || parent == path) return nullptr;
  return New<FolderItem>(parent.string());
}

bool FolderItem::Exists() const {
  struct stat info;
  return stat(path_.c_str(), &info) == 0;
}

bool FolderItem::IsFolder() const {
  struct stat info;
  return stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

uint64_t FolderItem::Length() const {
  struct stat info;
  if (stat(path_.c_str(), &info) != 0) return 0;
  return static_cast<uint64_t>(info.st_size);
}

bool FolderItem::CreateAsFolder() const {
  std::error_code error;
  std::filesystem::create_directories(path_, error);
  return IsFolder();
}
