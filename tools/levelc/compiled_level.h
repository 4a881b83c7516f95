// A level as the game reads it: the data file, the level picture and the
// level's own sprites, with the place each object record came from so that
// messages can name it. Made by compiling a map or by reading level files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/indexed_gif.h"
#include "world/level_file.h"

namespace zorbulant::tools {

using ObjectRecord = std::array<uint32_t, 32>;  // one record of the object list, word by word

struct CompiledLevel {
  LevelFileImage file;
  std::optional<IndexedPicture> picture;  // none when a level file has no picture beside it
  std::vector<uint8_t> levelGraphics;     // empty when the level has no sprites of its own
  std::vector<std::string> objectPlaces;  // one per record of file.objects
  bool wrap = false;  // a bottomless pit is meant: the hero falls back in at the top
};

}  // namespace zorbulant::tools
