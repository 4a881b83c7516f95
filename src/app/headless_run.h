// Runs the game on the headless backend: the contract that tests and content
// tools rely on (virtual clock, scripted input, shots, trace).
#pragma once

#include <iostream>
#include <ostream>

#include "app/options.h"

namespace zorbulant {

// Returns the process's exit code: 0 after a normal run, 1 when the game could
// not start or a shot or demo could not be written, 2 for bad input files or a
// demo of other data, 3 when a demo's replay did not end where its recording
// did. Problems go to `errors` as one line each; a timedemo's figures go to
// `output`.
int RunHeadless(const Options& options, std::ostream& errors, std::ostream& output = std::cout);

}  // namespace zorbulant
