// Runs the game on the Win32 backend: the real window, DirectDraw (or the
// windowed screen), the registry and SNDLIB11.DLL; with an input script, a
// run whose trace matches the headless run of the same script.
#pragma once

#include "app/windows_options.h"

namespace zorbulant {

// Returns the process's exit code: 0 when the game ran, 1 when it could not
// start, 2 for a missing data directory or unreadable input or trace files.
// Problems are told to the user as one line each.
int RunWindows(const WindowsOptions& options);

}  // namespace zorbulant
