#pragma once
// Writes a text file line by line, LF after each line, and replaces the file
// atomically: the lines go to a temporary file in the same folder, which takes
// the file's place only when all of it has been written. Until then, and for
// good when anything fails, the old file stays exactly as it was.

#include <memory>
#include <string>

#include "FolderItem.h"
#include "Ref.h"

class TextOutputStream {
public:
  // Starts replacing file, or creating it. Nil when that cannot begin (its
  // folder is missing or not writable).
  static Ref<TextOutputStream> Create(const FolderItem& file);
  // Without a successful Close the file is left as it was.
  ~TextOutputStream();
  TextOutputStream(const TextOutputStream&) = delete;
  TextOutputStream& operator=(const TextOutputStream&) = delete;

  // Writes text, unchanged, and a line feed.
  void WriteLine(const std::string& text);
  // Puts what was written in place of the file. False when any write or the
  // replacement failed: the file is then unchanged. A later call gives the
  // same answer and changes nothing.
  bool Close();

  struct Impl;
  explicit TextOutputStream(std::unique_ptr<Impl> impl);

private:
  // Hands the buffered lines to the file.
  void Flush();

  std::unique_ptr<Impl> impl_;
  std::string buffer_;
  bool failed_ = false;
  bool closed_ = false;
};
