#pragma once
// What the independent HFS+ readers from Debian make of a volume (a device
// or an image file): fshfsinfo (libfshfs), 7z, and libhfsp's hpfsck.

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

// libhfsp 1.0.4 never learns how large a volume is and looks for the
// alternate volume header in sector 1, so it can check no volume that keeps
// that header where TN1150 puts it, 1024 bytes before the end. Empty when
// hpfsck shows no sign of that; else the reason to skip.
std::string WhyLibhfspCantRead(const std::string& volume);
