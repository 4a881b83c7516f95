// Reading Tiled's JSON map and tileset files into the level compiler's view
// of them, refusing what a level cannot be made of.
#include "levelc/tiled_map.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "levelc/level_error.h"

namespace zorbulant::tools {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& message) {
  throw LevelError(path.filename().string() + ": " + message);
}

json ParseJson(const std::string& text, const std::filesystem::path& path) {
  try {
    return json::parse(text);
  } catch (const json::parse_error& error) {
    Fail(path, std::string("not JSON: ") + error.what());
  }
}

const json& Member(const json& object, const char* key, const std::filesystem::path& path,
                   const std::string& place) {
  if (!object.is_object() || !object.contains(key)) Fail(path, place + ": no \"" + key + "\"");
  return object.at(key);
}

uint32_t Count(const json& object, const char* key, const std::filesystem::path& path,
               const std::string& place) {
  const json& value = Member(object, key, path, place);
  if (!value.is_number_unsigned()) Fail(path, place + ": \"" + key + "\" is not a count");
  return value.get<uint32_t>();
}

// Positions in Tiled are fractional; a level has whole pixels only.
int32_t WholePixels(const json& object, const char* key, const std::filesystem::path& path,
                    const std::string& place) {
  if (!object.contains(key)) return 0;
  const json& value = object.at(key);
  const double number = value.is_number() ? value.get<double>() : NAN;
  if (!(std::abs(number) < 1e6) || number != std::floor(number)) {
    Fail(path, place + ": \"" + key + "\" is not a whole number of pixels");
  }
  return static_cast<int32_t>(number);
}

TiledProperties ReadProperties(const json& owner, const std::filesystem::path& path,
                               const std::string& place) {
  TiledProperties properties;
  if (!owner.contains("properties")) return properties;
  const json& list = owner.at("properties");
  if (!list.is_array()) Fail(path, place + ": properties are not in Tiled's list form");
  for (const json& entry : list) {
    const json& name = Member(entry, "name", path, place + " property");
    if (!name.is_string()) Fail(path, place + ": a property name is not text");
    properties.push_back({name.get<std::string>(), Member(entry, "value", path, place)});
  }
  return properties;
}

TileLayer ReadTileLayer(const json& layer, const TiledMap& map, const std::string& place) {
  const json& data = Member(layer, "data", map.path, place);
  if (layer.value("encoding", "csv") != "csv" || !data.is_array()) {
    Fail(map.path, place + ": save tile layers in CSV format");
  }
  if (Count(layer, "width", map.path, place) != map.width ||
      Count(layer, "height", map.path, place) != map.height ||
      data.size() != map.width * map.height) {
    Fail(map.path, place + ": the layer is not the map's size");
  }
  if (WholePixels(layer, "offsetx", map.path, place) != 0 ||
      WholePixels(layer, "offsety", map.path, place) != 0) {
    Fail(map.path, place + ": the layer is shifted by an offset");
  }
  TileLayer tiles{layer.value("name", ""), {}};
  for (const json& cell : data) {
    if (!cell.is_number_unsigned()) Fail(map.path, place + ": a cell is not a tile number");
    tiles.cells.push_back(cell.get<uint32_t>());
  }
  return tiles;
}

TiledObject ReadObject(const json& object, const std::filesystem::path& path,
                       const std::string& layerPlace) {
  TiledObject result;
  result.name = object.value("name", "");
  result.kind = object.value("type", "");
  if (result.kind.empty()) result.kind = object.value("class", "");
  const std::string place =
      layerPlace + ", object " +
      (result.name.empty() ? "#" + object.value("id", json(0)).dump() : "'" + result.name + "'");
  for (const char* shape : {"ellipse", "polygon", "polyline", "text", "gid"}) {
    if (object.contains(shape) && object.at(shape) != false) {
      Fail(path, place + ": only rectangles and points make level objects");
    }
  }
  if (object.value("rotation", 0.0) != 0.0) Fail(path, place + ": the object is rotated");
  result.x = WholePixels(object, "x", path, place);
  result.y = WholePixels(object, "y", path, place);
  result.width = WholePixels(object, "width", path, place);
  result.height = WholePixels(object, "height", path, place);
  result.point = object.value("point", false);
  result.properties = ReadProperties(object, path, place);
  return result;
}

void ReadLayers(const json& layers, TiledMap& map) {
  if (!layers.is_array()) Fail(map.path, "\"layers\" is not a list");
  for (const json& layer : layers) {
    const std::string type = layer.value("type", "");
    const std::string place = "layer '" + layer.value("name", "") + "'";
    if (type == "tilelayer") {
      if (layer.value("visible", true)) map.tileLayers.push_back(ReadTileLayer(layer, map, place));
    } else if (type == "objectgroup") {
      for (const json& object : Member(layer, "objects", map.path, place)) {
        map.objects.push_back(ReadObject(object, map.path, place));
      }
    } else {
      Fail(map.path, place + ": a " + type + " layer cannot be part of a level");
    }
  }
}

void ReadTilesetReference(const json& tilesets, TiledMap& map) {
  if (!tilesets.is_array() || tilesets.size() != 1) Fail(map.path, "the map needs one tileset");
  const json& reference = tilesets.front();
  if (!reference.contains("source")) Fail(map.path, "the tileset must be an external .tsj file");
  map.firstTile = Count(reference, "firstgid", map.path, "tileset");
  const std::filesystem::path tilesetPath =
      map.path.parent_path() / reference.at("source").get<std::string>();
  map.tileset = ParseTiledTileset(ReadWholeTextFile(tilesetPath), tilesetPath);
  if (map.tileset.tileWidth != map.tileWidth || map.tileset.tileHeight != map.tileHeight) {
    Fail(map.path, "the tileset's tiles are not the size of the map's tiles");
  }
}

TiledTileset ReadTileset(const json& tileset, const std::filesystem::path& path) {
  TiledTileset result;
  result.path = path;
  result.tileWidth = Count(tileset, "tilewidth", path, "tileset");
  result.tileHeight = Count(tileset, "tileheight", path, "tileset");
  result.tileCount = Count(tileset, "tilecount", path, "tileset");
  result.columns = Count(tileset, "columns", path, "tileset");
  for (const TiledProperty& property : ReadProperties(tileset, path, "tileset")) {
    if (property.name != "source" || !property.value.is_string()) {
      Fail(path, "tileset property '" + property.name + "' is unknown");
    }
    result.tileSource = path.parent_path() / property.value.get<std::string>();
  }
  if (result.tileSource.empty()) Fail(path, "the tileset has no property 'source'");
  return result;
}

TiledMap ReadMap(const json& map, const std::filesystem::path& path) {
  TiledMap result;
  result.path = path;
  if (map.value("orientation", "") != "orthogonal") Fail(path, "the map is not orthogonal");
  if (map.value("infinite", false)) Fail(path, "the map is infinite");
  result.width = Count(map, "width", path, "map");
  result.height = Count(map, "height", path, "map");
  result.tileWidth = Count(map, "tilewidth", path, "map");
  result.tileHeight = Count(map, "tileheight", path, "map");
  result.properties = ReadProperties(map, path, "map");
  ReadTilesetReference(Member(map, "tilesets", path, "map"), result);
  ReadLayers(Member(map, "layers", path, "map"), result);
  return result;
}

}  // namespace

std::string ReadWholeTextFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw LevelError(path.string() + ": cannot be read");
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TiledTileset ParseTiledTileset(const std::string& text, const std::filesystem::path& path) {
  try {
    return ReadTileset(ParseJson(text, path), path);
  } catch (const json::exception& error) {
    Fail(path, error.what());
  }
}

TiledMap ParseTiledMap(const std::string& text, const std::filesystem::path& path) {
  try {
    return ReadMap(ParseJson(text, path), path);
  } catch (const json::exception& error) {
    Fail(path, error.what());
  }
}

TiledMap ReadTiledMap(const std::filesystem::path& path) {
  return ParseTiledMap(ReadWholeTextFile(path), path);
}

}  // namespace zorbulant::tools
