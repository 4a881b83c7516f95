// Tile sources: tiles side by side, the legend, nothing pixels, the line of
// every mistake, and the tileset image drawn for Tiled.
#include "levelc/tile_source.h"

#include <gtest/gtest.h>

#include "levelc/level_error.h"
#include "levelc/tileset_png.h"

namespace zorbulant::tools {
namespace {

const char* const TwoBands =
    "# two tiles, then one\n"
    "colour r 253\n"
    "colour s cube 1 2 3\n"
    "colour o 240\n"
    "tile brick sky\n"
    "rr.. ssss\n"
    "\n"
    "rrrr ssss\n"
    "oooo ssss\n"
    "rrrr ss.s\n"
    "tile ledge\n"
    "oooo\n"
    "....\n"
    "....\n"
    "....\n";

std::string ErrorOf(const std::string& text) {
  try {
    ParseTileSource(text, "tiles.txt");
  } catch (const LevelError& error) {
    return error.what();
  }
  return "no error";
}

TEST(TileSourceTest, TilesStandSideBySideInTheirOrder) {
  const TileSource source = ParseTileSource(TwoBands, "tiles.txt");
  EXPECT_EQ(source.tileSize, 4u);
  ASSERT_EQ(source.tiles.size(), 3u);
  EXPECT_EQ(source.tiles[0].name, "brick");
  EXPECT_EQ(source.tiles[1].name, "sky");
  EXPECT_EQ(source.tiles[2].name, "ledge");
  EXPECT_EQ(source.tiles[0].pixels[0], 253);
  EXPECT_EQ(source.tiles[0].pixels[2], TileNothing);
  EXPECT_EQ(source.tiles[0].pixels[8], 240) << "hero-only solids are ordinary colours in tiles";
  EXPECT_EQ(source.tiles[1].pixels[0], 36 * 2 + 6 * 1 + 3) << "green counts most in the cube";
  EXPECT_EQ(source.tiles[1].pixels[14], TileNothing);
  EXPECT_EQ(source.tiles[2].pixels[4], TileNothing);
}

TEST(TileSourceTest, MistakesNameTheirLine) {
  EXPECT_EQ(ErrorOf("colour r 256\n"), "tiles.txt:1: '256' is not 0 to 255");
  EXPECT_EQ(ErrorOf("colour r cube 6 0 0\n"), "tiles.txt:1: '6' is not 0 to 5");
  EXPECT_EQ(ErrorOf("colour r 1\ncolour r 2\n"), "tiles.txt:2: 'r' already has a colour");
  EXPECT_EQ(ErrorOf("colour . 1\n"), "tiles.txt:1: '.' is not one character other than '.'");
  EXPECT_EQ(ErrorOf("tile a\nr.\n..\n"), "tiles.txt:2: 'r' has no colour");
  EXPECT_EQ(ErrorOf("tile a b\n.. ..\n...\n"),
            "tiles.txt:3: this row has 1 tiles side by side, the tile line names 2");
  EXPECT_EQ(ErrorOf("tile a\n..\n.\n"), "tiles.txt:3: a row of 1 pixels in tiles 2 wide");
  EXPECT_EQ(ErrorOf("tile a\n..\n..\ntile b\n...\n"),
            "tiles.txt:5: a row of 3 pixels in tiles 2 wide");
  EXPECT_EQ(ErrorOf("tile a\n..\n"), "tiles.txt:2: the file ends inside a tile");
  EXPECT_NE(ErrorOf("sprite a 2x2\n"), "no error");
}

TEST(TilesetPngTest, ShowsTheGameColoursInRowsOfEight) {
  TileSource source;
  source.tileSize = 2;
  for (uint16_t n = 0; n < 9; ++n) source.tiles.push_back({"t", {253, 240, TileNothing, 43}});
  source.tiles[1].pixels = {240, 240, 240, 240};
  const RgbPicture picture = DrawTileset(source);
  EXPECT_EQ(picture.width, 16u);
  EXPECT_EQ(picture.height, 4u);
  auto rgb = [&](uint32_t x, uint32_t y) {
    const uint8_t* p = &picture.rgb[(y * picture.width + x) * 3];
    return std::vector<uint8_t>(p, p + 3);
  };
  EXPECT_EQ(rgb(0, 0), (std::vector<uint8_t>{183, 0, 0}));
  EXPECT_EQ(rgb(1, 1), (std::vector<uint8_t>{51, 51, 51}));
  EXPECT_EQ(rgb(0, 1), (std::vector<uint8_t>(TransparentKey, TransparentKey + 3)));
  EXPECT_NE(rgb(1, 0), rgb(2, 0)) << "hero-only solids are a checker, not black";
  EXPECT_NE(rgb(1, 0), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(rgb(0, 2), (std::vector<uint8_t>{183, 0, 0})) << "the ninth tile starts row two";
  EXPECT_EQ(rgb(2, 2), (std::vector<uint8_t>(TransparentKey, TransparentKey + 3)))
      << "no tenth tile";
}

}  // namespace
}  // namespace zorbulant::tools
