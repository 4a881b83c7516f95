// The pixels of a tileset, written as text. The tiles are numbered in the
// order they are written, which is their order in the Tiled tileset.
//
//   # a comment                   '#' starts a comment (not inside the rows)
//   colour r 253                  the character r stands for palette index 253
//   colour s cube 0 0 1           ... for the colour cube's red, green and blue levels
//   tile brick-left brick-right   tiles side by side: each row line holds one
//   rrrrrrr.  ........            word per tile, each as wide as a tile
//   ...
//
// A tile line is followed at once by its rows (blank lines between them are
// skipped). '.' is nothing: where a tile has nothing, the layers below show
// through. Unlike sprites, tiles may use all 256 palette indices, the solid
// ones from 232 on included. Tiles are square, as many rows as a row is long,
// and every tile of a file has the size of the first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

inline constexpr uint16_t TileNothing = 256;  // a pixel that lets the layers below show

struct SourceTile {
  std::string name;
  std::vector<uint16_t> pixels;  // palette indices or TileNothing, rows top first
};

struct TileSource {
  uint32_t tileSize = 0;  // width and height in pixels
  std::vector<SourceTile> tiles;
};

// Throws LevelError "FILE:LINE: what is wrong"; `fileName` names the file.
TileSource ParseTileSource(const std::string& text, const std::string& fileName);

}  // namespace zorbulant::tools
