// From a map to the level's data file, picture and own sprites.
#include "levelc/map_compiler.h"

#include "levelc/level_error.h"
#include "levelc/level_picture.h"
#include "levelc/level_sprites.h"
#include "levelc/map_properties.h"
#include "levelc/object_records.h"
#include "levelc/tile_source.h"
#include "levelc/tileset_png.h"

namespace zorbulant::tools {

namespace {

constexpr uint32_t MaxLevelRows = 819;  // the LevelPicture region holds no more full rows
constexpr char TitlePadding = ' ';      // all 16 title characters are drawn

std::string FileName(const TiledMap& map) { return map.path.filename().string(); }

[[noreturn]] void Fail(const TiledMap& map, const std::string& message) {
  throw LevelError(FileName(map) + ": " + message);
}

TileSource ReadTiles(const TiledMap& map) {
  const TiledTileset& tileset = map.tileset;
  TileSource tiles = ParseTileSource(ReadWholeTextFile(tileset.tileSource),
                                     tileset.tileSource.filename().string());
  if (tiles.tileSize != tileset.tileWidth || tiles.tileSize != tileset.tileHeight) {
    Fail(map, tileset.tileSource.filename().string() + " holds tiles of " +
                  std::to_string(tiles.tileSize) + " pixels, the tileset's are " +
                  std::to_string(tileset.tileWidth) + "x" + std::to_string(tileset.tileHeight));
  }
  if (tiles.tiles.size() != tileset.tileCount) {
    Fail(map, tileset.tileSource.filename().string() + " holds " +
                  std::to_string(tiles.tiles.size()) + " tiles, " +
                  tileset.path.filename().string() + " counts " +
                  std::to_string(tileset.tileCount));
  }
  // Tiled numbers the tiles along the rows of the image: with other rows
  // than the drawn image's, the map would show other tiles than it makes.
  if (tileset.columns != TilesetColumns) {
    Fail(map, tileset.path.filename().string() + " has " + std::to_string(tileset.columns) +
                  " tiles in a row; the image that --tileset-png draws has " +
                  std::to_string(TilesetColumns));
  }
  return tiles;
}

void CheckSize(const TiledMap& map) {
  if (map.width * map.tileWidth > LevelPictureWidth) {
    Fail(map, "the map is " + std::to_string(map.width * map.tileWidth) +
                  " pixels wide; a level is at most 1280");
  }
  if (map.height * map.tileHeight > MaxLevelRows) {
    Fail(map, "the map is " + std::to_string(map.height * map.tileHeight) +
                  " pixels high; a level is at most 819");
  }
}

LevelSprites OwnSprites(const TiledMap& map, const std::optional<std::string>& source) {
  if (!source) return {};
  const std::filesystem::path path = map.path.parent_path() / *source;
  const SpriteSourceResult parsed =
      ParseSpriteSource(ReadWholeTextFile(path), path.filename().string());
  if (!parsed.error.empty()) throw LevelError(parsed.error);
  return LevelSprites(parsed.sprites, path.filename().string());
}

void ReadMapProperties(const TiledMap& map, CompiledLevel& level, LevelSprites& sprites) {
  MapProperties properties(map.properties, FileName(map) + ": map");
  std::string title = properties.RequiredText("title");
  if (title.size() > levelfile::MissionTitleLength) {
    properties.Fail("title", "is longer than 16 characters");
  }
  title.resize(levelfile::MissionTitleLength, TitlePadding);
  level.file.missionTitle = title;
  level.file.musicName = properties.RequiredText("music");
  if (level.file.musicName.size() != levelfile::MusicNameLength) {
    properties.Fail("music", "is not 8 characters: the game adds \".mod\" to exactly 8");
  }
  level.wrap = properties.Flag("wrap");
  sprites = OwnSprites(map, properties.Text("sprites"));
  properties.RejectUnknown();
}

const TiledObject& OnlyObjectOfClass(const TiledMap& map, std::string_view kind) {
  const TiledObject* found = nullptr;
  for (const TiledObject& object : map.objects) {
    if (object.kind != kind) continue;
    if (found != nullptr) Fail(map, ObjectPlace(object) + ": a second " + std::string(kind));
    found = &object;
  }
  if (found == nullptr) Fail(map, "no object of class '" + std::string(kind) + "'");
  MapProperties(found->properties, FileName(map) + ": " + ObjectPlace(*found)).RejectUnknown();
  if (found->x < 0 || found->y < 0) Fail(map, ObjectPlace(*found) + ": lies outside the level");
  return *found;
}

void PlaceStartAndExit(const TiledMap& map, LevelFileImage& file) {
  const TiledObject& start = OnlyObjectOfClass(map, StartClass);
  if (!start.point) Fail(map, ObjectPlace(start) + ": the start is a point");
  file.heroStartX = static_cast<uint32_t>(start.x);
  file.heroStartY = static_cast<uint32_t>(start.y);
  const TiledObject& exit = OnlyObjectOfClass(map, ExitClass);
  if (exit.point || exit.width <= 0 || exit.height <= 0) {
    Fail(map, ObjectPlace(exit) + ": the exit is a rectangle");
  }
  file.exitX = static_cast<uint32_t>(exit.x);
  file.exitY = static_cast<uint32_t>(exit.y);
  file.exitWidth = static_cast<uint32_t>(exit.width);
  file.exitHeight = static_cast<uint32_t>(exit.height);
}

}  // namespace

CompiledLevel CompileMap(const TiledMap& map) {
  CheckSize(map);
  CompiledLevel level;
  LevelSprites sprites;
  ReadMapProperties(map, level, sprites);
  level.file.levelWidth = map.width * map.tileWidth;
  level.file.levelHeight = map.height * map.tileHeight;
  PlaceStartAndExit(map, level.file);
  LevelObjects objects = BuildLevelObjects(map.objects, sprites, FileName(map));
  level.file.objects = std::move(objects.records);
  level.objectPlaces = std::move(objects.places);
  level.picture = PaintLevelPicture(map, ReadTiles(map));
  level.levelGraphics = sprites.Graphics();
  return level;
}

}  // namespace zorbulant::tools
