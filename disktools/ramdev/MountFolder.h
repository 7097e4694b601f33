#pragma once
// The folder a volume is mounted on: its name, made safe as one path
// component whose full path the caller can read back from one TAB-separated,
// trimmed field.

#include <string>

// "/" becomes ":" (as Mac OS shows such names), control characters such as
// TAB and newline and invisible format characters such as a right-to-left
// override become "_", trailing blanks go, and a name that leaves
// nothing usable (empty, "." or "..") becomes "untitled". At most
// kMaxFolderNameBytes bytes, so that a number can still be added.
std::string MountFolderName(const std::string& volumeName);

constexpr std::size_t kMaxFolderNameBytes = 240;
