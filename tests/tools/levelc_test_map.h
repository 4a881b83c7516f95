// A small level map for the level compiler's tests, written with its tileset
// into a temporary directory: 20 x 13 tiles of 16 pixels (320 x 208), walled
// left and right, with a floor whose top row is 192, a start and an exit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "support/temp_directory.h"

namespace zorbulant::tools::test {

using nlohmann::json;

// Tile numbers in the map (the tileset's tiles from 1 on).
enum TestTile : uint32_t { NoTile = 0, SkyTile = 1, WallTile = 2, LedgeTile = 3, CornerTile = 4 };
inline constexpr uint8_t SkyColour = 5;
inline constexpr uint8_t WallColour = 250;
inline constexpr uint8_t LedgeColour = 232;
inline constexpr uint32_t MapColumns = 20;
inline constexpr uint32_t MapRows = 13;
inline constexpr int32_t FloorTop = 192;

// The corner tile is solid in its top-left 8 x 4 pixels and nothing elsewhere.
inline std::string TestTiles() {
  std::string text = "colour a 5\ncolour w 250\ncolour h 232\ntile sky wall ledge corner\n";
  for (int y = 0; y < 16; ++y) {
    std::string corner;
    for (int x = 0; x < 16; ++x) corner += x < 8 && y < 4 ? 'w' : '.';
    text += std::string(16, 'a') + " " + std::string(16, 'w') + " " +
            std::string(16, y == 0 ? 'h' : '.') + " " + corner + "\n";
  }
  return text;
}

// Tiled's list of properties from {"name": value, ...}.
inline json PropertyList(const json& values) {
  json list = json::array();
  for (const auto& [name, value] : values.items()) {
    const char* type = value.is_boolean() ? "bool" : value.is_number() ? "int" : "string";
    list.push_back({{"name", name}, {"type", type}, {"value", value}});
  }
  return list;
}

class TestMap {
 public:
  TestMap() {
    json walls(MapColumns * MapRows, NoTile);
    for (uint32_t row = 0; row < MapRows; ++row) {
      walls[row * MapColumns] = WallTile;
      walls[row * MapColumns + MapColumns - 1] = WallTile;
    }
    for (uint32_t column = 0; column < MapColumns; ++column) {
      walls[(MapRows - 1) * MapColumns + column] = WallTile;
    }
    map_ = {{"type", "map"},
            {"orientation", "orthogonal"},
            {"infinite", false},
            {"width", MapColumns},
            {"height", MapRows},
            {"tilewidth", 16},
            {"tileheight", 16},
            {"properties", PropertyList({{"title", "Test"}, {"music", "loop0001"}})},
            {"tilesets", {{{"firstgid", 1}, {"source", "tiles.tsj"}}}},
            {"layers",
             {Layer("sky", json(MapColumns * MapRows, SkyTile)),
              Layer("walls", walls),
              {{"type", "objectgroup"}, {"name", "objects"}, {"objects", json::array()}}}}};
    AddObject("start", "", 40, FloorTop, 0, 0)["point"] = true;
    AddObject("exit", "", 260, 160, 32, 32);
    directory_.Write("tiles.txt", TestTiles());
    directory_.Write("tiles.tsj", json({{"type", "tileset"},
                                        {"tilewidth", 16},
                                        {"tileheight", 16},
                                        {"tilecount", 4},
                                        {"columns", 8},
                                        {"image", "tiles.png"},
                                        {"properties", PropertyList({{"source", "tiles.txt"}})}})
                                      .dump());
  }

  json& Map() { return map_; }
  json& Objects() { return map_["layers"][2]["objects"]; }
  json& Layer(uint32_t index) { return map_["layers"][index]; }
  void SetTile(uint32_t column, uint32_t row, uint32_t tile) {
    map_["layers"][1]["data"][row * MapColumns + column] = tile;
  }
  void SetProperty(const std::string& name, const json& value) {
    json& list = map_["properties"];
    for (json& property : list) {
      if (property["name"] == name) property = PropertyList({{name, value}})[0];
      if (property["name"] == name) return;
    }
    list.push_back(PropertyList({{name, value}})[0]);
  }

  json& AddObject(const std::string& kind, const std::string& name, int x, int y, int width,
                  int height, const json& properties = json::object()) {
    json object = {{"id", Objects().size() + 1},
                   {"name", name},
                   {"type", kind},
                   {"x", x},
                   {"y", y},
                   {"width", width},
                   {"height", height}};
    if (!properties.empty()) object["properties"] = PropertyList(properties);
    Objects().push_back(object);
    return Objects().back();
  }
  json& Object(const std::string& name) {
    for (json& object : Objects()) {
      if (object["name"] == name) return object;
    }
    throw std::runtime_error("no test object " + name);
  }

  std::filesystem::path Write(const std::string& name = "levelaab.tmj") {
    directory_.Write(name, map_.dump());
    return directory_.path() / name;
  }
  void WriteFile(const std::string& name, const std::string& text) { directory_.Write(name, text); }
  const std::filesystem::path& Directory() const { return directory_.path(); }

 private:
  static json Layer(const std::string& name, const json& data) {
    return {{"type", "tilelayer"}, {"name", name},    {"width", MapColumns},
            {"height", MapRows},   {"visible", true}, {"data", data}};
  }

  testing::TempDirectory directory_;
  json map_;
};

}  // namespace zorbulant::tools::test
