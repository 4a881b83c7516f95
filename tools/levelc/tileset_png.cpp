// Drawing the tileset image.
#include "levelc/tileset_png.h"

#include <algorithm>

#include "levelc/level_error.h"
#include "platform/display.h"
#include "platform/headless/png_writer.h"

namespace zorbulant::tools {

namespace {

constexpr uint16_t FirstHeroSolid = 232;
constexpr uint16_t FirstSolid = 248;
constexpr uint8_t CheckerLight = 56;
constexpr uint8_t CheckerDark = 20;

void PutPixel(RgbPicture& picture, uint32_t x, uint32_t y, uint16_t pixel) {
  uint8_t* to = &picture.rgb[(size_t{y} * picture.width + x) * 3];
  if (pixel == TileNothing) {
    std::copy_n(TransparentKey, 3, to);
  } else if (pixel >= FirstHeroSolid && pixel < FirstSolid) {
    to[0] = to[1] = to[2] = ((x + y) & 1) != 0 ? CheckerLight : CheckerDark;
  } else {
    const PaletteEntry& colour = PaletteTable()[pixel];
    to[0] = colour.red;
    to[1] = colour.green;
    to[2] = colour.blue;
  }
}

}  // namespace

RgbPicture DrawTileset(const TileSource& tiles) {
  const uint32_t size = tiles.tileSize;
  const auto count = static_cast<uint32_t>(tiles.tiles.size());
  RgbPicture picture;
  picture.width = TilesetColumns * size;
  picture.height = (count + TilesetColumns - 1) / TilesetColumns * size;
  picture.rgb.resize(size_t{picture.width} * picture.height * 3);
  for (uint32_t y = 0; y < picture.height; ++y) {
    for (uint32_t x = 0; x < picture.width; ++x) PutPixel(picture, x, y, TileNothing);
  }
  for (uint32_t n = 0; n < count; ++n) {
    const uint32_t left = n % TilesetColumns * size;
    const uint32_t top = n / TilesetColumns * size;
    for (uint32_t y = 0; y < size; ++y) {
      for (uint32_t x = 0; x < size; ++x) {
        PutPixel(picture, left + x, top + y, tiles.tiles[n].pixels[y * size + x]);
      }
    }
  }
  return picture;
}

void WriteTilesetPng(const TileSource& tiles, const std::filesystem::path& path) {
  const RgbPicture picture = DrawTileset(tiles);
  if (!WriteRgbPng(path, picture.width, picture.height, picture.rgb)) {
    throw LevelError(path.string() + ": cannot be written");
  }
}

}  // namespace zorbulant::tools
