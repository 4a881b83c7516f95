// The hero on a level picture of our own: standing, steps and walls, jumps,
// falling and the wrap, the pictures chosen and how they are drawn.
#include "world/hero_movement.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_platform.h"

namespace zorbulant {
namespace {

struct HeroTest : ::testing::Test {
  void SetUp() override {
    std::fill_n(Picture(), regions::LevelPicture.size, uint8_t{0});
    for (uint32_t x = 0; x < 1280; ++x) Solid(x, Floor);
    hero().HeroX = 100;
    hero().HeroY = Floor;
  }

  uint8_t* Picture() { return test.game.work.at(regions::LevelPicture); }
  void Solid(uint32_t x, uint32_t y, uint8_t colour = 240) { Picture()[y * 1280 + x] = colour; }
  HeroVariables& hero() { return test.game.hero; }
  WorldVariables& world() { return test.game.world; }
  KeyFlags& keys() { return test.game.keys; }

  static constexpr uint32_t Floor = 300;
  testing::TestGame test;
};

TEST_F(HeroTest, StandingOnTheGroundRechargesTheJump) {
  for (uint32_t power : {2u, 4u, 6u, 8u, 10u, 12u, 12u}) {
    MoveHero(test.game);
    EXPECT_EQ(world().JumpPower, power);
    EXPECT_EQ(hero().HeroY, Floor);
    EXPECT_EQ(world().HeroOnGround, 1u);
    EXPECT_EQ(hero().FallSpeed, 0u);
  }
}

TEST_F(HeroTest, SolidStartsAt232AndNothingOutsideThePictureIsSolid) {
  Solid(5, 5, 231);
  Solid(6, 5, 232);
  EXPECT_FALSE(HeroSolid(test.game, 5, 5));
  EXPECT_TRUE(HeroSolid(test.game, 6, 5));
  std::fill_n(test.game.work.at(regions::LevelPicture) + 819 * 1280, 256, uint8_t{255});
  EXPECT_FALSE(HeroSolid(test.game, 0, 819)) << "below the picture is empty";
  EXPECT_FALSE(HeroSolid(test.game, 1280, Floor));
  EXPECT_FALSE(HeroSolid(test.game, 0xFFFFFFFF, Floor));
}

TEST_F(HeroTest, AOnePixelStepIsClimbedATwoPixelWallStops) {
  Solid(101, Floor - 1);  // a step right in front
  keys().KeyRight = 1;
  MoveHero(test.game);
  EXPECT_EQ(hero().HeroX, 101u);
  EXPECT_EQ(hero().HeroY, Floor - 1);

  hero().HeroX = 100;
  hero().HeroY = Floor;
  Solid(101, Floor - 2);  // now a wall
  for (int frame = 0; frame < 3; ++frame) MoveHero(test.game);
  EXPECT_EQ(hero().HeroX, 100u);
  EXPECT_EQ(hero().HeroY, Floor);
}

TEST_F(HeroTest, AStepBesideTheHeroRaisesAndLowersItOnAlternateFrames) {
  Solid(101, Floor - 1);
  MoveHero(test.game);
  EXPECT_EQ(hero().HeroY, Floor - 1);
  MoveHero(test.game);
  EXPECT_EQ(hero().HeroY, Floor);
  MoveHero(test.game);
  EXPECT_EQ(hero().HeroY, Floor - 1);
}

TEST_F(HeroTest, AFullJumpRises56Pixels) {
  world().JumpPower = 12;
  keys().KeyJump = 1;
  uint32_t highest = Floor;
  for (int frame = 0; frame < 40 && (frame == 0 || hero().HeroY < Floor); ++frame) {
    MoveHero(test.game);
    highest = std::min(highest, hero().HeroY);
  }
  EXPECT_EQ(Floor - highest, 56u);
}

TEST_F(HeroTest, AJumpNearTheTopStopsAtRowZero) {
  hero().HeroY = 3;
  world().JumpPower = 5;
  keys().KeyJump = 1;
  MoveHero(test.game);
  EXPECT_EQ(hero().HeroY, 1u) << "lifted to 0, then floating down one pixel";
}

TEST_F(HeroTest, FallingSpeedsUpNeverEntersTheGroundAndWrapsAt800) {
  hero().HeroY = Floor - 100;
  std::vector<uint32_t> drops;
  uint32_t before = hero().HeroY;
  while (world().HeroOnGround == 0 || drops.empty()) {
    MoveHero(test.game);
    drops.push_back(hero().HeroY - before);
    before = hero().HeroY;
    ASSERT_LT(drops.size(), 100u);
  }
  EXPECT_EQ(drops[0], 2u);
  EXPECT_EQ(drops[6], 2u);
  EXPECT_EQ(drops[7], 3u) << "one more pixel every 8 frames";
  EXPECT_EQ(hero().HeroY, Floor);

  hero().HeroY = 800;
  MoveHero(test.game);
  EXPECT_LE(hero().HeroY, 3u) << "back in at the top";
}

TEST_F(HeroTest, PicturesCarryTheWeaponOffset) {
  world().HeroOnGround = 1;
  keys().KeyDown = 1;
  hero().WeaponFlags = WeaponFlamer;
  EXPECT_EQ(AnimateHero(test.game), 512u * 37);
  hero().WeaponFlags = LaserUpgrade | WeaponPistol;
  EXPECT_EQ(AnimateHero(test.game), 512u * 75);
  hero().WeaponFlags = WeaponGrenade;
  EXPECT_EQ(AnimateHero(test.game), 512u * 56);
}

TEST_F(HeroTest, IdleTimeHoldsAt509WhileTheIdleSequencePlays) {
  world().HeroOnGround = 1;
  hero().WeaponFlags = WeaponPistol;
  hero().HeroFrame = 0;
  for (int frame = 0; frame < 600; ++frame) AnimateHero(test.game);
  EXPECT_EQ(world().IdleTime, 509u);
  EXPECT_GE(hero().HeroFrame, 76u);
  EXPECT_LE(hero().HeroFrame, 85u);
}

TEST_F(HeroTest, ReloadStepsEvery150MillisecondsAndRefillsAtTheEnd) {
  world().HeroOnGround = 1;
  hero().HeroFrame = FirstReloadFrame;
  hero().PistolRounds = 0;
  keys().KeyRight = 1;
  std::vector<uint32_t> frames;
  for (uint32_t clock : {0u, 149u, 150u, 299u, 300u, 450u, 600u, 750u}) {
    test.platform.clock.WaitForElapsed(0, clock);
    AnimateHero(test.game);
    frames.push_back(hero().HeroFrame);
    EXPECT_EQ(keys().KeyRight, 0u) << "the hero stands still while reloading";
  }
  EXPECT_EQ(frames, (std::vector<uint32_t>{86, 86, 87, 87, 88, 89, 90, 0}));
  EXPECT_EQ(hero().PistolRounds, 6u);
}

TEST_F(HeroTest, LandingPictureStaysByTheAirTime) {
  world().HeroOnGround = 1;
  hero().HeroFrame = 16;
  hero().AirTime = 5;  // ((5 | 1) & 31) - 1) / 2 = 2 frames of landing
  std::vector<uint32_t> frames;
  for (int frame = 0; frame < 3; ++frame) {
    AnimateHero(test.game);
    frames.push_back(hero().HeroFrame);
  }
  EXPECT_EQ(frames, (std::vector<uint32_t>{17, 17, 0}));
  EXPECT_EQ(hero().AirTime, 0u);
}

TEST_F(HeroTest, DrawnMirroredWithTransparencyAndNeverAboveRowOne) {
  uint8_t* sheet = test.game.work.at(regions::HeroSheet);
  std::fill_n(sheet, 512, uint8_t{232});  // transparent
  sheet[0] = 7;                           // top-left pixel of picture 0
  uint8_t* scene = test.game.work.at(regions::SceneBuffer);
  std::fill_n(scene, 1280 * 64, uint8_t{1});
  DrawHeroSprite(test.game, 100, 10, 0, 0);
  EXPECT_EQ(scene[1 * 1280 + 92], 7) << "drawn from row 1 near the top";
  EXPECT_EQ(scene[1 * 1280 + 93], 1) << "232 and up are transparent";
  DrawHeroSprite(test.game, 200, 40, 0, 1);
  EXPECT_EQ(scene[8 * 1280 + 192 + 15], 7) << "mirrored: the first pixel goes last";
  DrawHeroSprite(test.game, 3, 40, 0, 1);  // clipped at the level's left side
  EXPECT_EQ(scene[8 * 1280 + 10], 7);
}

}  // namespace
}  // namespace zorbulant
