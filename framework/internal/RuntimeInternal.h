#pragma once
// What the runtime shares with the rest of the framework. For the framework only.

#include "Runtime.h"

// The helper that the program handed over; nullptr when there is none.
ExceptionHelper RuntimeExceptionHelper();
// An exception went unhandled: the exit status becomes non-zero and the
// application quits (a quit already under way goes on unchanged).
void RuntimeFail();
// Throws RuntimeException when there is no QApplication to make widgets in.
void RequireWidgets();
