// Compiling Tiled maps: the data file byte for byte, the painted picture, the
// level's own sprites, the files written, and a one-line error naming the
// place for every mistake in a map.
#include "levelc/map_compiler.h"

#include <gtest/gtest.h>

#include <functional>

#include "levelc/indexed_gif_reader.h"
#include "levelc/level_error.h"
#include "levelc/level_files.h"
#include "levelc/level_picture.h"
#include "levelc/level_sprites.h"
#include "levelc/object_records.h"
#include "sprites/sprite_catalogue.h"
#include "tools/levelc_test_map.h"
#include "world/hero_variables.h"
#include "world/level_object.h"

namespace zorbulant::tools::test {
namespace {

// A level's own sprites: 4 + 2 + 1 frames of 16 x 16, 4 of 16 x 32 and a dot.
std::string OwnSprites() {
  std::string text = "colour c 100\n";
  const auto sprite = [&](const std::string& head, int height, int frames) {
    text += "sprite " + head + "\n";
    for (int row = 0; row < height; ++row) {
      for (int frame = 0; frame < frames; ++frame) text += std::string(16, 'c') + " ";
      text += "\n";
    }
  };
  sprite("coin 16x16 frames 4", 16, 4);
  sprite("knob 16x16 frames 2", 16, 2);
  sprite("knob-spent 16x16", 16, 1);
  sprite("walker 16x32 frames 4", 32, 4);
  return text + "sprite dot 1x1\nc\n";
}
constexpr uint32_t CoinOffset = LevelGraphicsStart;
constexpr uint32_t KnobOffset = CoinOffset + 4 * 256;
constexpr uint32_t KnobSpentOffset = KnobOffset + 2 * 256;
constexpr uint32_t WalkerOffset = KnobSpentOffset + 256;
constexpr uint32_t OwnSpritePixels = WalkerOffset + 4 * 512 + 1 - LevelGraphicsStart;

uint32_t Word(uint32_t record, uint32_t field) { return record * levelfile::ObjectSize + field; }

class MapCompilerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map.WriteFile("own.txt", OwnSprites());
    map.SetProperty("sprites", "own.txt");
  }
  CompiledLevel Compile() { return CompileMap(ReadTiledMap(map.Write())); }
  std::string ErrorOf() {
    try {
      Compile();
    } catch (const LevelError& error) {
      return error.what();
    }
    return "no error";
  }

  TestMap map;
};

TEST_F(MapCompilerTest, DataFileMatchesOneBuiltByHand) {
  map.AddObject("block", "door", 100, 160, 16, 32, {{"closed-colour", 252}, {"open-colour", 5}});
  map.AddObject("switch", "lever", 60, 176, 16, 16,
                {{"sprite", "knob"},
                 {"spent-sprite", "knob-spent"},
                 {"hit-points", 3},
                 {"pay-with", "item-a"},
                 {"sound", "door"},
                 {"set1", "door.State=1"},
                 {"add1", "walker.X-32"}});
  map.AddObject(
      "pickup", "", 140, 176, 0, 0,
      {{"sprite", "coin"}, {"gives", "health"}, {"amount", 64}, {"frame-shift", 8}})["point"] =
      true;
  map.AddObject("enemy", "walker", 200, FloorTop, 0, 0,
                {{"sprite", "walker"},
                 {"hit-points", 4},
                 {"behaviour", "jumps hunts"},
                 {"facing", "left"},
                 {"patrol-left", 120},
                 {"patrol-right", 280},
                 {"fire-every", 1024},
                 {"shot-damage", 16}})["point"] = true;
  map.AddObject("soundzone", "", 16, 100, 64, 92, {{"sample", 2}, {"repeat", 1000}});
  map.AddObject("barrier", "", 240, 120, 8, 72,
                {{"colour", 249}, {"blink-colour", 255}, {"frame-shift", 6}, {"hidden", true}});

  LevelFileImage expected;
  expected.missionTitle = "Test            ";
  expected.musicName = "loop0001";
  expected.heroStartX = 40;
  expected.heroStartY = 192;
  expected.levelWidth = 320;
  expected.levelHeight = 208;
  expected.exitX = 260;
  expected.exitY = 160;
  expected.exitWidth = 32;
  expected.exitHeight = 32;
  expected.objects.resize(6);
  auto put = [&](uint32_t k, uint32_t offset, uint32_t value) {
    expected.objects[k][offset / 4] = value;
  };
  const std::vector<std::pair<uint32_t, uint32_t>> door = {
      {field::Type, ObjectBlock}, {field::X, 100},        {field::Y, 160},
      {field::ClosedColour, 252}, {field::OpenColour, 5}, {field::BlockWidth, 16},
      {field::BlockHeight, 32}};
  for (auto [offset, value] : door) put(0, offset, value);
  const std::vector<std::pair<uint32_t, uint32_t>> lever = {
      {field::Type, ObjectSwitch},
      {field::X, 60},
      {field::Y, 176},
      {field::HitPoints, 3},
      {field::Width, 16},
      {field::Height, 16},
      {field::SpriteOffset, KnobOffset},
      {field::FrameMask, 1},
      {field::FrameShift, 7},
      {field::PayWith, offsetof(HeroVariables, ItemCountA)},
      {field::Set1Offset, Word(0, field::State)},
      {field::Set1Value, 1},
      // Actions not asked for set or add 0 to the switch's own spent HitPoints.
      {field::Set2Offset, Word(1, field::HitPoints)},
      {field::Set3Offset, Word(1, field::HitPoints)},
      {field::Set4Offset, Word(1, field::HitPoints)},
      {field::Price, 1},
      {field::SpentSprite, KnobSpentOffset},
      {field::Sound, 1},
      {field::Add1Offset, Word(3, field::X)},
      {field::Add1Value, static_cast<uint32_t>(-32)},
      {field::Add2Offset, Word(1, field::HitPoints)}};
  for (auto [offset, value] : lever) put(1, offset, value);
  const std::vector<std::pair<uint32_t, uint32_t>> coin = {
      {field::Type, ObjectPickup},
      {field::X, 140},
      {field::Y, 176},
      {field::Width, 16},
      {field::Height, 16},
      {field::SpriteOffset, CoinOffset},
      {field::FrameMask, 3},
      {field::FrameShift, 8},
      {field::Target, offsetof(HeroVariables, HeroHealth)},
      {field::Amount, 64}};
  for (auto [offset, value] : coin) put(2, offset, value);
  // A point marks the ground under the enemy's feet; its foot row is above it.
  const std::vector<std::pair<uint32_t, uint32_t>> walker = {
      {field::Type, ObjectEnemy},
      {field::X, 200},
      {field::Y, 191},
      {field::HitPoints, 4},
      {field::Width, 16},
      {field::Height, 32},
      {field::SpriteOffset, WalkerOffset},
      {field::FrameMask, 3},
      {field::FrameShift, 2},
      {field::Facing, 1},
      {field::Behaviour, EnemyJumps | EnemyHunts},
      {field::PatrolLeft, 120},
      {field::PatrolRight, 280},
      {field::FireMask, 1023},
      {field::ShotDamage, 16}};
  for (auto [offset, value] : walker) put(3, offset, value);
  const std::vector<std::pair<uint32_t, uint32_t>> zone = {{field::Type, ObjectSoundZone},
                                                           {field::X, 16},
                                                           {field::Y, 100},
                                                           {field::Width, 64},
                                                           {field::Height, 92},
                                                           {field::SampleChoice, 1},
                                                           {field::RepeatTime, 1000}};
  for (auto [offset, value] : zone) put(4, offset, value);
  // Hidden: in the list with Type 0, for a switch to bring to life.
  const std::vector<std::pair<uint32_t, uint32_t>> barrier = {
      {field::X, 240},         {field::Y, 120},
      {field::FrameShift, 6},  {field::ColourBitSet, 249},
      {field::OffColour, 255}, {field::FieldHeight, 72},
      {field::FieldWidth, 8},  {field::ColourBitClear, 255}};
  for (auto [offset, value] : barrier) put(5, offset, value);

  const CompiledLevel level = Compile();
  EXPECT_EQ(level.file.Bytes(), expected.Bytes());
  EXPECT_EQ(level.levelGraphics.size(), OwnSpritePixels);
  ASSERT_EQ(level.objectPlaces.size(), 6u);
  EXPECT_EQ(level.objectPlaces[1], "'lever' (switch at 60,176)");
  EXPECT_EQ(level.objectPlaces[2], "pickup at 140,176");
}

TEST_F(MapCompilerTest, EnemyRectangleStandsOnItsBottomEdge) {
  map.AddObject("enemy", "", 192, 160, 16, 32, {{"sprite", "walker"}, {"hit-points", 1}});
  const ObjectRecord enemy = Compile().file.objects.at(0);
  EXPECT_EQ(enemy[field::X / 4], 200u) << "the middle column of the picture";
  EXPECT_EQ(enemy[field::Y / 4], 191u) << "the picture's bottom row";
  EXPECT_EQ(enemy[field::FireMask / 4], UINT32_MAX) << "an enemy that is not told to fire";
}

TEST_F(MapCompilerTest, ObjectsNameSpritesOfTheSharedSheet) {
  if (SpriteCatalogue().empty()) GTEST_SKIP() << "the sheet names no sprites yet";
  const SpriteEntry& shared = SpriteCatalogue().front();
  map.AddObject("pickup", "", 60, 160, 0, 0,
                {{"sprite", std::string(shared.name)}, {"gives", "laser"}})["point"] = true;
  const ObjectRecord pickup = Compile().file.objects.at(0);
  EXPECT_EQ(pickup[field::SpriteOffset / 4], shared.offset);
  EXPECT_EQ(pickup[field::Width / 4], shared.width);
  EXPECT_EQ(pickup[field::FrameMask / 4], shared.frames - 1);
  EXPECT_EQ(pickup[field::Amount / 4], 0u) << "a laser takes no amount";
}

TEST_F(MapCompilerTest, LayersPaintInOrderAndNothingShowsTheLayerBelow) {
  map.SetTile(5, 5, CornerTile);
  const IndexedPicture picture = *Compile().picture;
  ASSERT_EQ(picture.width, 1280u);
  ASSERT_EQ(picture.height, 208u);
  EXPECT_EQ(picture.pixels[80 * 1280 + 80], WallColour);
  EXPECT_EQ(picture.pixels[83 * 1280 + 87], WallColour);
  EXPECT_EQ(picture.pixels[83 * 1280 + 88], SkyColour) << "the corner's nothing shows the sky";
  EXPECT_EQ(picture.pixels[84 * 1280 + 80], SkyColour);
  EXPECT_EQ(picture.pixels[100 * 1280 + 319], WallColour);
  EXPECT_EQ(picture.pixels[100 * 1280 + 320], EmptyPixel) << "right of the map";
  EXPECT_EQ(picture.pixels[207 * 1280 + 1279], EmptyPixel);
}

TEST_F(MapCompilerTest, FlippedTilesArePaintedFlipped) {
  const uint32_t flips[] = {FlippedHorizontally, FlippedVertically, FlippedDiagonally};
  for (uint32_t k = 0; k < 3; ++k) map.SetTile(2 + 2 * k, 4, CornerTile | flips[k]);
  const IndexedPicture picture = *Compile().picture;
  auto solid = [&](uint32_t x, uint32_t y) { return picture.pixels[y * 1280 + x] == WallColour; };
  // Horizontally: the 8 x 4 block at the tile's right.
  EXPECT_FALSE(solid(32 + 7, 64));
  EXPECT_TRUE(solid(32 + 8, 64));
  EXPECT_TRUE(solid(32 + 15, 67));
  EXPECT_FALSE(solid(32 + 15, 68));
  // Vertically: at the tile's bottom.
  EXPECT_FALSE(solid(64, 64 + 11));
  EXPECT_TRUE(solid(64, 64 + 12));
  EXPECT_TRUE(solid(64 + 7, 64 + 15));
  // Diagonally: 4 wide and 8 high.
  EXPECT_TRUE(solid(96 + 3, 64 + 7));
  EXPECT_FALSE(solid(96 + 4, 64));
  EXPECT_FALSE(solid(96, 64 + 8));
}

TEST_F(MapCompilerTest, WritesTheLevelFilesUnderItsCode) {
  map.AddObject("pickup", "", 60, 176, 16, 16,
                {{"sprite", "coin"}, {"gives", "fuel"}, {"amount", 9}});
  const CompiledLevel level = Compile();
  testing::TempDirectory output;
  WriteLevelFiles(level, output.path(), "aab");
  const std::optional<IndexedPicture> picture = ReadIndexedGif(output.path() / "levelaab.gif");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->pixels, level.picture->pixels);
  const std::optional<IndexedPicture> graphics = ReadIndexedGif(output.path() / "lvlgxaab.gif");
  ASSERT_TRUE(graphics);
  EXPECT_EQ(graphics->width, 256u);
  ASSERT_EQ(graphics->pixels.size(), 16u * 256) << "3,841 pixels in rows of 256";
  EXPECT_TRUE(
      std::equal(level.levelGraphics.begin(), level.levelGraphics.end(), graphics->pixels.begin()));
  EXPECT_EQ(graphics->pixels.back(), 255) << "padding that no sprite draws";
  std::vector<LevelProblem> problems;
  EXPECT_EQ(ReadLevelFiles(output.path() / "levelaab.jmp", problems).file.Bytes(),
            level.file.Bytes());
  EXPECT_TRUE(problems.empty());
}

TEST(LevelFileNamesTest, CodesAreThoseTheLevelSearchMakes) {
  EXPECT_EQ(LevelCodeOfFile("maps/levelaaa.tmj"), "aaa");
  EXPECT_EQ(LevelCodeOfFile("levelbcm.jmp"), "bcm") << "level 300";
  EXPECT_EQ(LevelCodeOfFile("levelapp.tmj"), "app");
  EXPECT_FALSE(LevelCodeOfFile("levelaaq.tmj")) << "the last letters run to p";
  EXPECT_FALSE(LevelCodeOfFile("leveleaa.tmj")) << "numbers end at 1023";
  EXPECT_FALSE(LevelCodeOfFile("training.tmj"));
  EXPECT_EQ(NamesForCode("aab").graphics, "lvlgxaab.gif");
}

// Each mistake stops the compiler with one line naming the map and the place.
struct MapMistake {
  const char* name;
  std::function<void(TestMap&)> make;
  const char* message;
};

class MapMistakeTest : public MapCompilerTest, public ::testing::WithParamInterface<MapMistake> {};

TEST_P(MapMistakeTest, IsReportedWithItsPlace) {
  GetParam().make(map);
  const std::string error = ErrorOf();
  EXPECT_EQ(error.rfind("levelaab.tmj: ", 0), 0u) << error;
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

const json Coin = {{"sprite", "coin"}, {"gives", "health"}, {"amount", 1}};

json With(json properties, const std::string& name, const json& value) {
  properties[name] = value;
  return properties;
}

INSTANTIATE_TEST_SUITE_P(
    Maps, MapMistakeTest,
    ::testing::Values(
        MapMistake{"UnknownMapProperty", [](TestMap& m) { m.SetProperty("colour", 3); },
                   "map: property 'colour' is unknown here"},
        MapMistake{"LongTitle", [](TestMap& m) { m.SetProperty("title", "Seventeen letters"); },
                   "property 'title' is longer than 16 characters"},
        MapMistake{"ShortMusicName", [](TestMap& m) { m.SetProperty("music", "loop"); },
                   "property 'music' is not 8 characters"},
        MapMistake{
            "UnknownObjectProperty",
            [](TestMap& m) { m.AddObject("pickup", "c", 60, 176, 16, 16, With(Coin, "speed", 2)); },
            "'c' (pickup at 60,176): property 'speed' is unknown here"},
        MapMistake{"UnknownClass", [](TestMap& m) { m.AddObject("door", "d", 60, 176, 16, 16); },
                   "'d' (door at 60,176): class 'door' is not"},
        MapMistake{"MissingProperty",
                   [](TestMap& m) {
                     m.AddObject("pickup", "", 60, 176, 16, 16, {{"sprite", "coin"}});
                   },
                   "pickup at 60,176: property 'gives' is missing"},
        MapMistake{"UnknownWord",
                   [](TestMap& m) {
                     m.AddObject("pickup", "", 60, 176, 16, 16, With(Coin, "gives", "gold"));
                   },
                   "property 'gives' is 'gold', not one of health, grenades"},
        MapMistake{"UnknownSprite",
                   [](TestMap& m) {
                     m.AddObject("pickup", "", 60, 176, 16, 16, With(Coin, "sprite", "gem"));
                   },
                   "property 'sprite' names no sprite 'gem'"},
        MapMistake{"RectangleNotTheSprite'sSize",
                   [](TestMap& m) { m.AddObject("pickup", "", 60, 176, 16, 20, Coin); },
                   "is 16x20 but sprite 'coin' is 16x16"},
        MapMistake{"NumberOutOfRange",
                   [](TestMap& m) {
                     m.AddObject("block", "", 60, 176, 16, 16,
                                 {{"closed-colour", 256}, {"open-colour", 0}});
                   },
                   "property 'closed-colour' is 256, outside 0..255"},
        MapMistake{
            "SpentSwitch",
            [](TestMap& m) {
              m.AddObject("switch", "", 60, 176, 16, 16, {{"sprite", "knob"}, {"hit-points", 0}});
            },
            "property 'hit-points' is 0, outside 1.."},
        MapMistake{"PriceWithoutPayment",
                   [](TestMap& m) {
                     m.AddObject("switch", "", 60, 176, 16, 16,
                                 {{"sprite", "knob"}, {"hit-points", 1}, {"price", 2}});
                   },
                   "property 'price' needs a 'pay-with'"},
        MapMistake{"ActionAtNoObject",
                   [](TestMap& m) {
                     m.AddObject("switch", "s", 60, 176, 16, 16,
                                 {{"sprite", "knob"}, {"hit-points", 1}, {"set2", "dor.State=1"}});
                   },
                   "'s' (switch at 60,176): property 'set2' 'dor.State=1' names no object 'dor'"},
        MapMistake{"TwoObjectsOfOneName",
                   [](TestMap& m) {
                     m.AddObject("pickup", "twin", 60, 176, 16, 16, Coin);
                     m.AddObject("pickup", "twin", 80, 176, 16, 16, Coin);
                   },
                   "'twin' (pickup at 80,176): another object has this name"},
        MapMistake{"FireNotAPowerOfTwo",
                   [](TestMap& m) {
                     m.AddObject(
                         "enemy", "", 100, 192, 0, 0,
                         {{"sprite", "walker"}, {"hit-points", 1}, {"fire-every", 1000}})["point"] =
                         true;
                   },
                   "property 'fire-every' is not a power of two"},
        MapMistake{"SecondStart",
                   [](TestMap& m) { m.AddObject("start", "", 60, 192, 0, 0)["point"] = true; },
                   "start at 60,192: a second start"},
        MapMistake{"NoExit", [](TestMap& m) { m.Objects().erase(1); }, "no object of class 'exit'"},
        MapMistake{"PointExit", [](TestMap& m) { m.Objects()[1]["point"] = true; },
                   "the exit is a rectangle"},
        MapMistake{"TileNotInTheTileset", [](TestMap& m) { m.SetTile(3, 4, 9); },
                   "layer 'walls', tile (3,4): tile 9 is not in the tileset"},
        MapMistake{"Base64Layer", [](TestMap& m) { m.Layer(1)["encoding"] = "base64"; },
                   "layer 'walls': save tile layers in CSV format"},
        MapMistake{"EmbeddedTileset", [](TestMap& m) { m.Map()["tilesets"][0].erase("source"); },
                   "the tileset must be an external .tsj file"},
        MapMistake{"TooWide",
                   [](TestMap& m) {
                     m.Map()["width"] = 81;
                     for (int k = 0; k < 2; ++k) {
                       m.Layer(k)["width"] = 81;
                       m.Layer(k)["data"] = json(81 * MapRows, SkyTile);
                     }
                   },
                   "the map is 1296 pixels wide; a level is at most 1280"},
        MapMistake{"TilesetColumns",
                   [](TestMap& m) {
                     json tileset = json::parse(ReadWholeTextFile(m.Directory() / "tiles.tsj"));
                     tileset["columns"] = 4;
                     m.WriteFile("tiles.tsj", tileset.dump());
                   },
                   "tiles.tsj has 4 tiles in a row; the image that --tileset-png draws has 8"},
        MapMistake{"FractionalPosition", [](TestMap& m) { m.Objects()[1]["x"] = 260.5; },
                   "\"x\" is not a whole number of pixels"},
        MapMistake{"NameNotText", [](TestMap& m) { m.Objects()[1]["name"] = 7; },
                   "type must be string"}),
    [](const ::testing::TestParamInfo<MapMistake>& mistake) {
      std::string name = mistake.param.name;
      std::erase(name, '\'');
      return name;
    });

}  // namespace
}  // namespace zorbulant::tools::test
