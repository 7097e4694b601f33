#pragma once
// Loop devices over anonymous memory (a memory file of no folder), with
// direct I/O so that the data is held once, in that memory, and not again in
// the page cache.

#include <cstdint>

#include "RamDevice.h"

bool LoopAvailable();
MadeDevice MakeLoopDevice(std::uint64_t bytes);
// Detaches loop device number through fd, its exclusive open, which this
// closes: 0, or the error number (EBUSY while someone else has it open).
int FreeLoopDevice(int number, int fd);
