// Sprite frames that a level file sizes: a frame lies wholly inside the
// HeroSheet and the LevelGraphics behind it or is none, and a frame of no
// width or no height is none either. Before, a pick-up 0 pixels wide and 2^30
// high was a frame, and every frame walked its billion empty rows: a level
// that hung the game. Found by fuzz/level_run_fuzz.
#include <gtest/gtest.h>

#include "actors/sprite_drawing.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

constexpr uint32_t SheetSize = regions::LevelGraphics.end() - regions::HeroSheet.offset;

TEST(SpriteFrame, FramesWithoutPixelsAreNone) {
  testing::TestGame test;
  const Game& game = test.game;
  const struct {
    uint32_t width;
    uint32_t height;
  } empty[] = {{0, 1u << 30}, {1u << 30, 0}, {0, 0}, {0, 16}, {0xFFFF'FFFF, 0}};
  for (const auto& [width, height] : empty) {
    EXPECT_EQ(SpriteFrame(game, 6, 0, width, height), nullptr) << width << " x " << height;
    EXPECT_EQ(SpriteFrame(game, 0, 5, width, height), nullptr) << width << " x " << height;
  }
}

TEST(SpriteFrame, FramesLieWhollyInsideTheSheetAndTheLevelGraphics) {
  testing::TestGame test;
  const Game& game = test.game;
  const uint8_t* sheet = game.work.at(regions::HeroSheet);
  EXPECT_EQ(SpriteFrame(game, 0, 0, 1, 1), sheet);
  EXPECT_EQ(SpriteFrame(game, 100, 2, 16, 32), sheet + 100 + 2 * 512);
  EXPECT_EQ(SpriteFrame(game, SheetSize - 1, 0, 1, 1), sheet + SheetSize - 1) << "the last pixel";
  EXPECT_EQ(SpriteFrame(game, SheetSize, 0, 1, 1), nullptr) << "one past the level graphics";
  EXPECT_EQ(SpriteFrame(game, 0, 0, SheetSize, 1), sheet) << "the whole sheet in one row";
  EXPECT_EQ(SpriteFrame(game, 0, 0, SheetSize + 1, 1), nullptr);
  EXPECT_EQ(SpriteFrame(game, 0, 1, SheetSize, 1), nullptr) << "the second frame lies past it";
  EXPECT_EQ(SpriteFrame(game, 0, 0, 0x1'0000, 0x1'0000), nullptr) << "a size past 32 bits";
}

}  // namespace
}  // namespace zorbulant
