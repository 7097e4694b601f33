#pragma once
// Mounting a RAM disk's HFS+ volume under the volume's name, and detaching
// the disk again: what hdiutil mountvol and hdiutil detach do. Both act only
// on disks that hdid made for the user asking (root may detach any of them).

#include <string>

#include "Requester.h"

struct ToolOutcome {
  int status = 0;
  std::string output;  // for standard output
  std::string error;   // for standard error, without the tool's name
};

// Exit status of a detach that finds the disk in use (EBUSY).
constexpr int kBusyStatus = 16;

// Mounts the HFS+ volume on device at a new folder under mediaRoot named for
// the volume, without set-user-id programs or device files, its files owned
// by the user the disk is for. Output: the device, TAB, "Apple_HFS", TAB, the
// mount path.
ToolOutcome MountVolume(const std::string& device, const std::string& mediaRoot, const User& requester);

// Unmounts what MountVolume mounted and removes its folder, then frees the
// device with its memory. A disk mounted anywhere else is left as it is.
ToolOutcome DetachVolume(const std::string& device, const std::string& mediaRoot, const User& requester);
