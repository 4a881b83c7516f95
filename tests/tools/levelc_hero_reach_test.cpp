// The flood of the hero's foot points at the edges of what a jump, a step
// and a wall allow.
#include "levelc/hero_reach.h"

#include <gtest/gtest.h>

namespace zorbulant::tools {
namespace {

constexpr uint8_t Solid = 250;
constexpr uint32_t Width = 320;
constexpr uint32_t Height = 200;
constexpr uint32_t Floor = 180;  // the floor's top row

// A box 320 x 200 with a floor, and walls at columns 0 and 319 from `wallTop` down.
IndexedPicture Box(uint32_t floor = Floor, uint32_t wallTop = 0) {
  IndexedPicture picture(1280, Height, 0);
  for (uint32_t y = floor; y < Height; ++y) {
    for (uint32_t x = 0; x < Width; ++x) picture.at(x, y) = Solid;
  }
  for (uint32_t y = wallTop; y < Height; ++y) picture.at(0, y) = picture.at(Width - 1, y) = Solid;
  return picture;
}

HeroReach Explore(const IndexedPicture& picture, uint32_t startY = Floor, bool wrap = false) {
  return ExploreHeroReach(picture, {Width, Height, wrap}, 100, startY);
}

void Fill(IndexedPicture& picture, uint32_t left, uint32_t top, uint32_t right, uint32_t bottom) {
  for (uint32_t y = top; y < bottom; ++y) {
    for (uint32_t x = left; x < right; ++x) picture.at(x, y) = Solid;
  }
}

TEST(HeroReachTest, AnEnclosedBoxKeepsTheHeroIn) {
  const HeroReach reach = Explore(Box());
  EXPECT_TRUE(reach.leftEscapes.empty());
  EXPECT_TRUE(reach.rightEscapes.empty());
  EXPECT_TRUE(reach.pitColumns.empty());
  EXPECT_TRUE(reach.Reached(1, Floor));
  EXPECT_TRUE(reach.Reached(318, Floor));
  EXPECT_TRUE(reach.Reached(100, Floor - HeroJumpHeight)) << "the top of a jump";
  EXPECT_FALSE(reach.Reached(100, Floor - HeroJumpHeight - 1));
  EXPECT_FALSE(reach.Reached(100, Floor + 1)) << "inside the floor";
}

TEST(HeroReachTest, ALedgeOnePixelAboveTheJumpIsClimbed) {
  IndexedPicture reachable = Box();
  Fill(reachable, 150, Floor - HeroJumpHeight - 1, 200, Floor - HeroJumpHeight);
  EXPECT_TRUE(Explore(reachable).Reached(175, Floor - HeroJumpHeight - 1));
  IndexedPicture unreachable = Box();
  Fill(unreachable, 150, Floor - HeroJumpHeight - 2, 200, Floor - HeroJumpHeight - 1);
  EXPECT_FALSE(Explore(unreachable).Reached(175, Floor - HeroJumpHeight - 2));
}

TEST(HeroReachTest, AJumpMovesOnePixelSidewaysPerFrameAndThenFloats) {
  // From a platform's edge at column 149: twelve frames up to the top, each
  // with a step sideways, then a pixel down for each pixel across.
  IndexedPicture picture = Box();
  Fill(picture, 100, Floor - 40, 150, Floor);
  const uint32_t top = Floor - 40 - HeroJumpHeight;
  const HeroReach reach = ExploreHeroReach(picture, {Width, Height, false}, 120, Floor - 40);
  EXPECT_TRUE(reach.Reached(161, top));
  EXPECT_FALSE(reach.Reached(162, top));
  EXPECT_TRUE(reach.Reached(171, top + 10));
  EXPECT_FALSE(reach.Reached(171, top + 9));
}

TEST(HeroReachTest, WallsHigherThanTheJumpAndOneStepHoldTheHeroIn) {
  const HeroReach over = Explore(Box(Floor, Floor - HeroJumpHeight - 1));
  EXPECT_FALSE(over.leftEscapes.empty());
  EXPECT_FALSE(over.rightEscapes.empty());
  const HeroReach held = Explore(Box(Floor, Floor - HeroJumpHeight - 2));
  EXPECT_TRUE(held.leftEscapes.empty());
  EXPECT_TRUE(held.rightEscapes.empty());
}

TEST(HeroReachTest, NoWallHoldsTheHeroInTheTopTwoRows) {
  // Two rows above the foot lie above the picture there, so no wall is seen.
  EXPECT_FALSE(Explore(Box(HeroJumpHeight + 1), HeroJumpHeight + 1).leftEscapes.empty());
  EXPECT_TRUE(Explore(Box(HeroJumpHeight + 2), HeroJumpHeight + 2).leftEscapes.empty());
}

TEST(HeroReachTest, PitsAreFoundUnlessTheLevelWraps) {
  IndexedPicture picture = Box();
  for (uint32_t y = Floor; y < Height; ++y) {
    for (uint32_t x = 200; x < 208; ++x) picture.at(x, y) = 0;
  }
  const HeroReach pit = Explore(picture);
  EXPECT_EQ(pit.pitColumns, (std::vector<uint32_t>{200, 201, 202, 203, 204, 205, 206, 207}));
  const HeroReach wrapped = Explore(picture, Floor, true);
  EXPECT_TRUE(wrapped.pitColumns.empty());
  EXPECT_TRUE(wrapped.Reached(204, 0)) << "back in at the top";
}

}  // namespace
}  // namespace zorbulant::tools
