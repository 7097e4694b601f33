#pragma once
// What independent HFS+ readers from Debian make of a volume (a device or an
// image file): fshfsinfo (libfshfs) and 7z.

#include <optional>
#include <string>

// The volume name that fshfsinfo reports; nothing when it can't read it.
std::optional<std::string> FshfsinfoName(const std::string& volume);

struct SevenZipView {
  std::string rootName;  // the one top-level folder: the root, by its name
  unsigned long long physicalSize = 0;
  unsigned long long clusterSize = 0;
  unsigned long long freeSpace = 0;
};
// Nothing when 7z doesn't take it for an HFS+ volume.
std::optional<SevenZipView> SevenZipList(const std::string& volume);
