// The tileset's image for Tiled: each tile in the game's colours, the tiles
// in rows of eight. Tiled cannot show the difference between the blacks of
// the palette, so the hero-only solid ones are drawn as a dark checker;
// nothing pixels take a key colour that the tileset (.tsj) names as its
// "transparentcolor", so Tiled shows the layers below through them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "levelc/tile_source.h"

namespace zorbulant::tools {

inline constexpr uint32_t TilesetColumns = 8;
inline constexpr uint8_t TransparentKey[3] = {0xff, 0x00, 0xfe};  // no colour of the palette

struct RgbPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;  // triples, row after row
};

RgbPicture DrawTileset(const TileSource& tiles);

// Throws LevelError when the file cannot be written.
void WriteTilesetPng(const TileSource& tiles, const std::filesystem::path& path);

}  // namespace zorbulant::tools
