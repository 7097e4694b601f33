#pragma once
// Mounting a RAM disk's HFS+ volume under the volume's name, and detaching
// the disk again: what hdiutil mountvol and hdiutil detach do.

#include <optional>
#include <string>

struct ToolOutcome {
  int status = 0;
  std::string output;  // for standard output
  std::string error;   // for standard error, without the tool's name
};

struct Owner {
  unsigned uid;
  unsigned gid;
};

// Exit status of a detach that finds the disk in use (EBUSY).
constexpr int kBusyStatus = 16;

// Mounts the HFS+ volume on device at a new folder under mediaRoot named for
// the volume; files whose owner the volume leaves open belong to owner when
// given. Output: the device, TAB, "Apple_HFS", TAB, the mount path.
ToolOutcome MountVolume(const std::string& device, const std::string& mediaRoot, std::optional<Owner> owner);

// Unmounts device wherever it is mounted, removes the mount folders it had
// under mediaRoot, and frees the device with its memory.
ToolOutcome DetachVolume(const std::string& device, const std::string& mediaRoot);
