// Where the running program's file is: an installed game finds its data pack
// from there, wherever the installed tree was put.
#pragma once

#include <filesystem>
#include <optional>

namespace zorbulant {

// The program's own file with every symbolic link followed, or nothing when
// the system does not say (no /proc, for one).
std::optional<std::filesystem::path> RunningProgramPath();

}  // namespace zorbulant
