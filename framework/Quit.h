#pragma once
// Quits the application: raises the application object's Close, then ends the
// event loop. A request while the application is already quitting changes
// nothing, not even the exit code.

#include <cstdint>

void Quit(int32_t exitCode = 0);
