// Runs the game in a window on the desktop.
#pragma once

#include <ostream>

#include "app/options.h"

namespace zorbulant {

// Returns the process's exit code: 0 after a normal run, 1 when there is no
// display to run on or a demo cannot be written, 2 for a missing data directory
// or a demo of other data, 3 when a demo's replay did not end where its
// recording did (each told on `errors` in one line).
int RunDesktop(const Options& options, std::ostream& errors);

}  // namespace zorbulant
