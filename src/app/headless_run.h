// Runs the game on the headless backend: the contract that tests and content
// tools rely on (virtual clock, scripted input, shots, trace).
#pragma once

#include <ostream>

#include "app/options.h"

namespace zorbulant {

// Returns the process's exit code: 0 after a normal run, 1 when the game could
// not start or a shot could not be written, 2 for bad input files. Problems go
// to `errors` as one line each.
int RunHeadless(const Options& options, std::ostream& errors);

}  // namespace zorbulant
