// The checks a level must pass before the game can play it well: its size,
// a playing area the hero cannot walk or fall out of, a start and an exit the
// hero can use, object records the game can read, sprites inside the sprite
// sheet and the level graphics, switch actions inside the object list, and
// the files the level needs.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "levelc/compiled_level.h"
#include "levelc/level_problem.h"

namespace zorbulant::tools {

// `dataDirectory`, when given, is where the music module must be.
std::vector<LevelProblem> LintLevel(const CompiledLevel& level,
                                    const std::optional<std::filesystem::path>& dataDirectory);

}  // namespace zorbulant::tools
