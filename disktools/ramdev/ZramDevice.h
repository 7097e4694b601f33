#pragma once
// zram devices: made through /sys/class/zram-control, sized through their
// disksize, which the kernel rounds up to whole pages.

#include <cstdint>

#include "RamDevice.h"

bool ZramAvailable();
// Whether zram can give exactly bytes.
bool ZramFits(std::uint64_t bytes);
MadeDevice MakeZramDevice(std::uint64_t bytes);
// Resets the device, which frees its memory, and removes it: 0, or the
// error number. Only while /sys/block/zramN is still the folder of inode
// sysfsInode, the device that was checked: ENXIO when it is not.
int FreeZramDevice(int number, unsigned long long sysfsInode);
