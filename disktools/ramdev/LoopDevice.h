#pragma once
// Loop devices over a sparse file in /dev/shm, with direct I/O so that the
// data is held once, in the file, and not again in the page cache.

#include <cstdint>

#include "RamDevice.h"

bool LoopAvailable();
MadeDevice MakeLoopDevice(std::uint64_t bytes);
// Detaches the device and removes its backing file, when it is one of ours.
int FreeLoopDevice(int number);
