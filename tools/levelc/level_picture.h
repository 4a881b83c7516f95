// The level picture painted from a map's tile layers: scenery and collision
// map in one, 1280 pixels wide, as high as the map.
#pragma once

#include "common/indexed_gif.h"
#include "levelc/tile_source.h"
#include "levelc/tiled_map.h"

namespace zorbulant::tools {

inline constexpr uint32_t LevelPictureWidth = 1280;  // every row of the level is read this long
inline constexpr uint8_t EmptyPixel = 0;             // black, and nothing stands on it

// Layers are painted in order, each over the ones before; a tile's nothing
// pixels and empty cells leave what is below. Columns right of the map, and
// pixels no layer paints, are EmptyPixel. Throws LevelError for a cell whose
// tile is not in the tileset.
IndexedPicture PaintLevelPicture(const TiledMap& map, const TileSource& tiles);

}  // namespace zorbulant::tools
