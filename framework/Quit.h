#pragma once
// Ends the application's event loop with an exit code.

#include <cstdint>

void Quit(int32_t exitCode = 0);
