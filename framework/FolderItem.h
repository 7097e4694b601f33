#pragma once
// A file or folder by its path, whether or not it exists yet.

#include <cstdint>
#include <string>

#include "Ref.h"

class Picture;

class FolderItem {
public:
  explicit FolderItem(std::string nativePath) : path_(std::move(nativePath)) {}

  const std::string& NativePath() const { return path_; }
  // The entry called name inside this folder, whether or not it exists. Nil
  // when name cannot be one entry: empty, ".", ".." or holding a "/".
  Ref<FolderItem> Child(const std::string& name) const;
  // The folder that holds this entry; nil for the root.
  Ref<FolderItem> Parent() const;

  bool Exists() const;
  bool IsFolder() const;
  // The size in bytes that the file system gives, also for a folder; 0 when
  // the entry does not exist.
  uint64_t Length() const;
  // Makes this folder and any missing folders above it. True when it is a
  // folder afterwards.
  bool CreateAsFolder() const;
  // The file read as a picture (PNG, JPEG and the other formats the toolkit
  // reads); nil when it is missing, a folder, or no picture it can read.
  Ref<Picture> OpenAsPicture() const;

private:
  std::string path_;
};
