// The parts of a Tiled map (.tmj) and its tileset (.tsj) that make a level,
// read from Tiled's JSON format.
//
// What a level map is:
// - an orthogonal, finite map; its tiles and the tileset's tiles have the same
//   size; the map's pixel width is the level's width (at most 1280: the level
//   picture is always 1280 wide and columns past the map stay empty) and its
//   pixel height the level's height;
// - one external tileset (a .tsj file) whose property "source" names the text
//   file of its tiles; the tileset's image is a PNG for Tiled's display only;
// - tile layers saved as CSV (a plain array of tile numbers), painted in
//   order; hidden layers are left out, as Tiled leaves them out of its view;
//   flipped tiles are painted flipped;
// - object layers whose objects, layer after layer and in each layer's order,
//   are the level's objects, the hero's start and the exit;
// - custom properties on the map and on the objects.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace zorbulant::tools {

struct TiledProperty {
  std::string name;
  nlohmann::json value;
};
using TiledProperties = std::vector<TiledProperty>;

struct TiledObject {
  std::string name;
  std::string kind;  // Tiled's class (called "type" in some versions of the format)
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool point = false;
  TiledProperties properties;
};

struct TileLayer {
  std::string name;
  std::vector<uint32_t> cells;  // global tile numbers with Tiled's flip bits, row after row
};

struct TiledTileset {
  std::filesystem::path path;
  uint32_t tileWidth = 0;
  uint32_t tileHeight = 0;
  uint32_t tileCount = 0;
  uint32_t columns = 0;              // tiles in a row of the image
  std::filesystem::path tileSource;  // the text file of the tiles' pixels
};

struct TiledMap {
  std::filesystem::path path;
  uint32_t width = 0;  // in tiles
  uint32_t height = 0;
  uint32_t tileWidth = 0;
  uint32_t tileHeight = 0;
  TiledProperties properties;
  std::vector<TileLayer> tileLayers;
  std::vector<TiledObject> objects;
  uint32_t firstTile = 1;  // the global number of the tileset's tile 0
  TiledTileset tileset;
};

// Tiled's flags in the top bits of a layer cell.
inline constexpr uint32_t FlippedHorizontally = 0x8000'0000;
inline constexpr uint32_t FlippedVertically = 0x4000'0000;
inline constexpr uint32_t FlippedDiagonally = 0x2000'0000;
inline constexpr uint32_t TileNumberMask = 0x0fff'ffff;

// Reads the map and its tileset; throws LevelError naming the file and place.
TiledMap ReadTiledMap(const std::filesystem::path& path);
TiledMap ParseTiledMap(const std::string& text, const std::filesystem::path& path);
TiledTileset ParseTiledTileset(const std::string& text, const std::filesystem::path& path);

// The whole file as text; throws LevelError when it cannot be read.
std::string ReadWholeTextFile(const std::filesystem::path& path);

}  // namespace zorbulant::tools
