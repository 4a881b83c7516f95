// Where the running program lies: the data pack comes beside it.
#pragma once

#include <filesystem>

namespace zorbulant {

// The directory of the program's .exe file; empty when the system cannot say.
std::filesystem::path ProgramDirectory();

}  // namespace zorbulant
