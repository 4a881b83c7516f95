// The files of one level, named by its three-letter code: "levelaab.jmp" (the
// data file), "levelaab.gif" (the picture) and "lvlgxaab.gif" (its own
// sprites). Writing a compiled level, and reading one back for checking.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "levelc/compiled_level.h"
#include "levelc/level_problem.h"

namespace zorbulant::tools {

struct LevelFileNames {
  std::string data;
  std::string picture;
  std::string graphics;
};

LevelFileNames NamesForCode(const std::string& code);

// The code of a file named "level" + code + any extension, when the game's
// level search makes that code for some level number.
std::optional<std::string> LevelCodeOfFile(const std::filesystem::path& path);

// Writes the data file, the picture and, when the level has sprites of its
// own, the level graphics. Throws LevelError when a file cannot be written.
void WriteLevelFiles(const CompiledLevel& level, const std::filesystem::path& directory,
                     const std::string& code);

// Reads a data file with the picture and level graphics beside it. What makes
// a file unusable (a missing picture, a short file, no end of the object
// list) goes into `problems`; throws LevelError when the data file cannot be
// read at all.
CompiledLevel ReadLevelFiles(const std::filesystem::path& dataFile,
                             std::vector<LevelProblem>& problems);

}  // namespace zorbulant::tools
