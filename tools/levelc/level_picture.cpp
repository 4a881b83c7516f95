// Painting tile layers, flipped tiles included, into the level picture.
#include "levelc/level_picture.h"

#include <utility>

#include "levelc/level_error.h"

namespace zorbulant::tools {

namespace {

// Tiled flips a tile's picture about its diagonal first, then horizontally,
// then vertically; this reads the picture back through the same flips.
uint16_t FlippedPixel(const SourceTile& tile, uint32_t size, uint32_t cell, uint32_t x,
                      uint32_t y) {
  uint32_t sx = (cell & FlippedHorizontally) != 0 ? size - 1 - x : x;
  uint32_t sy = (cell & FlippedVertically) != 0 ? size - 1 - y : y;
  if ((cell & FlippedDiagonally) != 0) std::swap(sx, sy);
  return tile.pixels[sy * size + sx];
}

void PaintCell(IndexedPicture& picture, const SourceTile& tile, uint32_t size, uint32_t cell,
               uint32_t left, uint32_t top) {
  for (uint32_t y = 0; y < size; ++y) {
    for (uint32_t x = 0; x < size; ++x) {
      const uint16_t pixel = FlippedPixel(tile, size, cell, x, y);
      if (pixel != TileNothing) picture.at(left + x, top + y) = static_cast<uint8_t>(pixel);
    }
  }
}

}  // namespace

IndexedPicture PaintLevelPicture(const TiledMap& map, const TileSource& tiles) {
  const uint32_t size = tiles.tileSize;
  IndexedPicture picture(LevelPictureWidth, map.height * size, EmptyPixel);
  for (const TileLayer& layer : map.tileLayers) {
    for (uint32_t row = 0; row < map.height; ++row) {
      for (uint32_t column = 0; column < map.width; ++column) {
        const uint32_t cell = layer.cells[row * map.width + column];
        const uint32_t number = cell & TileNumberMask;
        if (number == 0) continue;
        if (number < map.firstTile || number - map.firstTile >= tiles.tiles.size()) {
          throw LevelError(map.path.filename().string() + ": layer '" + layer.name + "', tile (" +
                           std::to_string(column) + "," + std::to_string(row) + "): tile " +
                           std::to_string(number) + " is not in the tileset");
        }
        PaintCell(picture, tiles.tiles[number - map.firstTile], size, cell, column * size,
                  row * size);
      }
    }
  }
  return picture;
}

}  // namespace zorbulant::tools
