// Compiling a Tiled map into a level. The map properties:
//   title    the mission title, at most 16 characters (required)
//   music    the music module's name without ".mod", 8 characters (required)
//   sprites  a sprite source file, relative to the map, of the level's own
//            sprites; objects name them like the shared sheet's sprites
//   wrap     true when a bottomless pit is meant (the hero falls back in at
//            the top of the level)
// The object of class "start" is a point where the hero's feet stand: on a
// floor, the top edge of its solid pixels. The object of class "exit" is a
// rectangle the hero's feet must reach; its bottom edge may lie on the floor.
#pragma once

#include "levelc/compiled_level.h"
#include "levelc/tiled_map.h"

namespace zorbulant::tools {

// Throws LevelError naming the map and the place in it.
CompiledLevel CompileMap(const TiledMap& map);

}  // namespace zorbulant::tools
