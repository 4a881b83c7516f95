// Which data pack the game runs on when the command line names none.
#pragma once

#include <filesystem>
#include <optional>

namespace zorbulant {

// The pack installed with the program, `fromProgram` away from the program's
// directory, when it is there: an installed tree moved as a whole still finds
// its own pack. Otherwise the pack of the build the program was made in,
// `built`, so a program run from its build tree finds what the build made.
// When neither is there, the installed place, which an error can name for a
// player; without a known program, `built`.
std::filesystem::path ChooseDataDirectory(const std::optional<std::filesystem::path>& program,
                                          const std::filesystem::path& fromProgram,
                                          const std::filesystem::path& built);

// The choice for this program, with the layout it was configured to install in.
std::filesystem::path DefaultDataDirectory();

}  // namespace zorbulant
