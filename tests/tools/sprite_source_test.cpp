// Sprite sources: the legend, frames stacked and side by side, the outline,
// and the line every mistake is reported on.
#include "sprites/sprite_source.h"

#include <gtest/gtest.h>

namespace zorbulant::tools {
namespace {

const char* const TwoSprites =
    "# a comment, then the legend\n"
    "colour x 216   # black\n"
    "colour # cube 0 3 2\n"
    "\n"
    "sprite dot-2 3x2\n"
    "#x.\n"
    ".x#\n"
    "sprite blink 2x2 frames 3\n"
    "## xx\n"
    "#. .x\n"
    "\n"
    "x.\n"
    ".#\n";

SourceSprite Only(const std::string& text) {
  const SpriteSourceResult result = ParseSpriteSource(text, "only.txt");
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(result.sprites.size(), 1u);
  return result.sprites.empty() ? SourceSprite{} : result.sprites[0];
}

std::string ErrorOf(const std::string& text) {
  const SpriteSourceResult result = ParseSpriteSource(text, "bad.txt");
  EXPECT_TRUE(result.sprites.empty()) << "no sprites from a file with a mistake";
  return result.error;
}

TEST(SpriteSourceTest, RowsBecomePaletteIndicesFrameAfterFrame) {
  const SpriteSourceResult result = ParseSpriteSource(TwoSprites, "two.txt");
  ASSERT_EQ(result.error, "");
  ASSERT_EQ(result.sprites.size(), 2u);
  constexpr uint8_t G = 36 * 3 + 2;  // the cube's red 0, green 3, blue 2
  const SourceSprite& dot = result.sprites[0];
  EXPECT_EQ(dot.name, "dot-2");
  EXPECT_EQ(dot.width, 3u);
  EXPECT_EQ(dot.height, 2u);
  EXPECT_EQ(dot.frames, 1u);
  EXPECT_EQ(dot.pixels, (std::vector<uint8_t>{G, 216, 255, 255, 216, G}))
      << "rows that start with '#' are rows; '.' is nothing";
  // Two frames side by side in the first band, the third below.
  const SourceSprite& blink = result.sprites[1];
  EXPECT_EQ(blink.frames, 3u);
  EXPECT_EQ(blink.pixels,
            (std::vector<uint8_t>{G, G, G, 255, 216, 216, 255, 216, 216, 255, 255, G}));
}

TEST(SpriteSourceTest, WindowsLineEndsAndAFileWithoutSpritesAreFine) {
  const SourceSprite sprite = Only("colour a 7\r\nsprite a 2x1\r\na.\r\n");
  EXPECT_EQ(sprite.pixels, (std::vector<uint8_t>{7, 255}));
  const SpriteSourceResult empty = ParseSpriteSource("# nothing\ncolour a 1\n", "empty.txt");
  EXPECT_EQ(empty.error, "");
  EXPECT_TRUE(empty.sprites.empty());
}

TEST(SpriteSourceTest, OutlineRingsEachFrameOnItsFourSides) {
  const SourceSprite sprite = Only(
      "colour a 5\n"
      "sprite ring 3x3 frames 2 outline\n"
      "... a..\n"
      ".a. ...\n"
      "... ...\n");
  constexpr uint8_t O = 216;
  constexpr uint8_t N = 255;
  EXPECT_EQ(sprite.pixels, (std::vector<uint8_t>{N, O, N, O, 5, O, N, O, N,  //
                                                 5, O, N, O, N, N, N, N, N}))
      << "corners stay empty, and no ring leaks into the next frame";
}

TEST(SpriteSourceTest, LegendMistakesNameTheirLine) {
  EXPECT_EQ(ErrorOf("\ncolour ab 5\n"), "bad.txt:2: 'ab' is not one character");
  EXPECT_EQ(ErrorOf("colour . 5\n"), "bad.txt:1: '.' always stands for nothing");
  EXPECT_EQ(ErrorOf("colour a 256\n"), "bad.txt:1: '256' is not a palette index 0 to 255");
  EXPECT_EQ(ErrorOf("colour a cube 6 0 0\n"), "bad.txt:1: cube level '6' is not 0 to 5");
  EXPECT_EQ(ErrorOf("colour a\n"), "bad.txt:1: write 'colour C INDEX' or 'colour C cube R G B'");
  EXPECT_EQ(ErrorOf("colour a 1\n\ncolour a 2\n"),
            "bad.txt:3: 'a' already has a colour, on line 1");
  EXPECT_EQ(ErrorOf("color a 1\n"), "bad.txt:1: 'color' is neither 'colour' nor 'sprite'");
}

TEST(SpriteSourceTest, SpriteLineMistakesNameTheirLine) {
  EXPECT_EQ(ErrorOf("sprite Key 1x1\n.\n"),
            "bad.txt:1: name 'Key' is not lower case letters, digits and '-'");
  EXPECT_EQ(ErrorOf("sprite a 16\n"), "bad.txt:1: size '16' is not WIDTHxHEIGHT");
  EXPECT_EQ(ErrorOf("sprite a 0x4\n"), "bad.txt:1: size '0x4' is not within 1x1 and 320x200");
  EXPECT_EQ(ErrorOf("sprite a 321x1\n"), "bad.txt:1: size '321x1' is not within 1x1 and 320x200");
  EXPECT_EQ(ErrorOf("sprite a 1x1 frames 129\n"), "bad.txt:1: frames '129' is not 1 to 128");
  EXPECT_EQ(ErrorOf("sprite a 1x1 frames\n"),
            "bad.txt:1: 'frames' is neither 'frames N' nor 'outline'");
  EXPECT_EQ(ErrorOf("sprite a 1x1\n.\nsprite a 1x1\n.\n"),
            "bad.txt:3: 'a' is already a sprite, on line 1");
  EXPECT_EQ(ErrorOf("sprite a\n"), "bad.txt:1: write 'sprite NAME WxH [frames N] [outline]'");
}

TEST(SpriteSourceTest, RowMistakesNameTheirLine) {
  EXPECT_EQ(ErrorOf("sprite a 3x2\n...\n....\n"), "bad.txt:3: a row of 4 pixels; 'a' is 3 wide");
  EXPECT_EQ(ErrorOf("sprite a 2x1\n.q\n"), "bad.txt:2: 'q' has no colour");
  EXPECT_EQ(ErrorOf("sprite a 2x2 frames 2\n.. ..\n..\n"),
            "bad.txt:3: this row has 1 frames side by side, the rows above 2");
  EXPECT_EQ(ErrorOf("sprite a 1x1 frames 2\n. . .\n"),
            "bad.txt:2: 'a' has 2 frames, and this row starts frame 3");
  EXPECT_EQ(ErrorOf("\nsprite a 2x3\n..\n..\n"),
            "bad.txt:2: the file ends before the last row of 'a'");
  EXPECT_EQ(ErrorOf("sprite a 1x1 frames 2\n.\n"),
            "bad.txt:1: the file ends before the last row of 'a'");
}

}  // namespace
}  // namespace zorbulant::tools
