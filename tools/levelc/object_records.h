// The level file's object records built from a map's objects. Each class of
// map object makes one kind of record; its rectangle or point gives the place
// and size, and its custom properties the rest (content/levels/README.md
// lists them for level authors).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "levelc/compiled_level.h"
#include "levelc/level_sprites.h"
#include "levelc/tiled_map.h"

namespace zorbulant::tools {

// The map classes that are not level objects but the header's start and exit.
inline constexpr std::string_view StartClass = "start";
inline constexpr std::string_view ExitClass = "exit";

struct LevelObjects {
  std::vector<ObjectRecord> records;  // in the map's order
  std::vector<std::string> places;    // where each record came from, for messages
};

// Every object but the start and the exit, in order. Throws LevelError naming
// `fileName` and the object for an unknown class, a missing, unknown or bad
// property, or an action naming an object that is not there.
LevelObjects BuildLevelObjects(const std::vector<TiledObject>& objects, const LevelSprites& sprites,
                               const std::string& fileName);

// "'door' (block at 48,32)", or "block at 48,32" for an unnamed object.
std::string ObjectPlace(const TiledObject& object);

}  // namespace zorbulant::tools
