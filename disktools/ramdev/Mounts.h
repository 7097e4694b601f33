#pragma once
// Where block devices are mounted, from the kernel's mount table.

#include <sys/types.h>

#include <string>
#include <vector>

// The mount points of device, oldest first.
std::vector<std::string> MountPointsOf(dev_t device);
// The same, from the text of a mountinfo file.
std::vector<std::string> MountPointsIn(const std::string& mountinfo, dev_t device);
