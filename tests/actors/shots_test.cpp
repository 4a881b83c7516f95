// Enemy shots, bullets, laser shots, the flame and grenades in flight.
#include "actors/shots.h"

#include <gtest/gtest.h>

#include "support/level_world.h"

namespace zorbulant {
namespace {

struct ShotsTest : ::testing::Test, testing::LevelWorld {
  void SetUp() override {
    game.hero.HeroX = 900;
    game.hero.HeroY = 500;
  }
  void SetEnemyShot(uint32_t slot, uint32_t x, uint32_t y, uint32_t damage, uint32_t facing) {
    const Region table = regions::EnemyShotTable;
    SetShotWord(game.work, table, slot, ShotActive, 1);
    SetShotWord(game.work, table, slot, ShotX, x);
    SetShotWord(game.work, table, slot, ShotY, y);
    SetShotWord(game.work, table, slot, ShotDamage, damage);
    SetShotWord(game.work, table, slot, ShotFacing, facing);
  }
};

TEST_F(ShotsTest, EnemyShotIsDrawnThenMovesAndEndsAtAWall) {
  Paint(107, 0, 1, 400);
  SetEnemyShot(0, 100, 200, 10, 0);
  UpdateEnemyShots(game);
  EXPECT_EQ(Scene(100, 200), 250);
  EXPECT_EQ(Scene(99, 200), 252);
  EXPECT_EQ(Scene(100, 201), 252);
  EXPECT_EQ(EnemyShot(0, ShotX), 102u);
  uint32_t frames = 1;
  while (EnemyShot(0, ShotActive) == 1 && frames < 10) {
    UpdateEnemyShots(game);
    ++frames;
  }
  EXPECT_EQ(EnemyShot(0, ShotX), 106u) << "ends when the wall lies beside it";
  EXPECT_EQ(frames, 3u);
}

TEST_F(ShotsTest, EnemyShotHurtsAStandingHeroWithin30RowsADuckingOneWithin18) {
  auto healthAfter = [&](uint32_t y, uint32_t frame, uint32_t health) {
    game.hero.HeroHealth = health;
    game.hero.HeroFrame = frame;
    SetEnemyShot(3, 898, y, 40, 0);  // moves to 900, the hero's column
    UpdateEnemyShots(game);
    return game.hero.HeroHealth;
  };
  EXPECT_EQ(healthAfter(470, 0, 256), 216u);
  EXPECT_EQ(EnemyShot(3, ShotActive), 0u);
  EXPECT_EQ(healthAfter(469, 0, 256), 256u);
  EXPECT_EQ(healthAfter(482, DuckingFrame, 256), 216u);
  EXPECT_EQ(healthAfter(481, DuckingFrame, 256), 256u);
  EXPECT_EQ(healthAfter(490, 0, 30), 0u) << "never below 0";
  EXPECT_EQ(Sounds().front(), Sound(SampleUmpf, 30000, 64, 0));
  EXPECT_EQ(game.effects.spray.SprayStep, 0u);
}

TEST_F(ShotsTest, BulletsAndLaserShotsFlyTwoPixelsAndEndAtWallsOrTheLevelsEdge) {
  SetHeroShot(0, 1, 500, 300, WeaponPistol | LaserUpgrade, 1);
  SetHeroShot(1, 1, 2, 300, WeaponPistol, 1);
  UpdateHeroShots(game);
  EXPECT_EQ(HeroShot(0, ShotX), 498u);
  for (const uint32_t column : {497u, 498u, 499u, 500u}) EXPECT_EQ(Scene(column, 300), 5);
  EXPECT_EQ(Scene(496, 300), 0);
  EXPECT_EQ(Scene(501, 300), 0);
  EXPECT_EQ(HeroShot(1, ShotActive), 1u);
  EXPECT_EQ(Scene(0, 300), 250);
  UpdateHeroShots(game);
  EXPECT_EQ(HeroShot(1, ShotActive), 0u) << "left the picture";
}

TEST_F(ShotsTest, FlameBurnsInFrontOfTheHeroUntilTheFuelRunsOut) {
  game.hero.WeaponFlags = WeaponFlamer | LaserUpgrade;
  game.hero.FlameFuel = 3;
  std::fill_n(game.work.at(regions::HeroSheet) + 52'784, 4 * 380, uint8_t{60});
  game.work.at(regions::HeroSheet)[52'784 + 1] = 247;  // transparent for the flame
  SetHeroShot(0, 1, 0, 0, WeaponFlamer, 0);
  UpdateHeroShots(game);
  EXPECT_EQ(HeroShot(0, ShotX), 906u);
  EXPECT_EQ(HeroShot(0, ShotY), 475u);
  EXPECT_EQ(Scene(906, 475), 60);
  EXPECT_EQ(Scene(907, 475), 0);
  EXPECT_EQ(Scene(943, 484), 60);
  EXPECT_EQ(Sounds(), std::vector<std::string>{Sound(SampleFire, 11025, 64, 0)});

  game.hero.HeroFacingLeft = 1;
  game.hero.HeroFrame = DuckingFrame;
  ClearScene();
  UpdateHeroShots(game);
  EXPECT_EQ(HeroShot(0, ShotX), 894u);
  EXPECT_EQ(Scene(894, 484), 60);
  EXPECT_EQ(Scene(857, 484), 60);
  EXPECT_EQ(Scene(856, 484), 0);

  ClearScene();
  UpdateHeroShots(game);
  EXPECT_EQ(game.hero.FlameFuel, 0u);
  EXPECT_EQ(HeroShot(0, ShotActive), 0u);
  EXPECT_EQ(game.hero.WeaponFlags, WeaponPistol | LaserUpgrade);
  EXPECT_EQ(Scene(894, 484), 0) << "the last drop of fuel burns nothing";
}

TEST_F(ShotsTest, GrenadeOnFlatGroundBurstsOnItsSeventhLandingAndHurtsByHeight) {
  Paint(0, 401, 1280, 20);  // flat ground: rows 401 and below
  game.hero.HeroX = 300;
  SetHeroShot(2, 2047, 100, 379, WeaponGrenade, 0);
  uint32_t landings = 0;
  uint32_t lastH = 7;
  uint32_t frames = 0;
  uint32_t highest = 400;
  while (HeroShot(2, ShotActive) != 0 && frames < 500) {
    UpdateHeroShots(game);
    const uint32_t h = (HeroShot(2, ShotActive) >> 8) & 0xFF;
    if (HeroShot(2, ShotActive) != 0 && h != lastH) {
      ++landings;
      lastH = h;
    }
    if (landings == 1) highest = std::min(highest, HeroShot(2, ShotY));
    ++frames;
  }
  EXPECT_EQ(landings, 6u) << "six bounces, then the burst";
  EXPECT_EQ(highest, 400u - 15) << "the first bounce rises 15 rows";
  EXPECT_EQ(HeroShot(2, ShotY), 401u) << "the last, lowest bounce ends one row into the ground";
  EXPECT_EQ(game.effects.explosion.ExplosionStep, 0u);
  EXPECT_EQ(game.effects.explosion.OriginX, HeroShot(2, ShotX));

  // The burst's damage depends on the rows between alone.
  const uint32_t y = HeroShot(2, ShotY);
  for (const auto& [heroY, loss] : {std::pair{y, 64u}, {y - 15, 4u}, {y + 15, 4u}, {y - 16, 0u}}) {
    game.hero.HeroHealth = 256;
    game.hero.HeroX = HeroShot(2, ShotX) + 15;
    game.hero.HeroY = heroY;
    GrenadeBlast(game, 2);
    EXPECT_EQ(game.hero.HeroHealth, 256 - loss) << heroY;
  }
}

TEST_F(ShotsTest, GrenadeTurnsAtAWallWithinItsSpeed) {
  Paint(130, 200, 10, 201);
  SetHeroShot(0, 2047, 120, 300, WeaponGrenade, 0);
  UpdateHeroShots(game);  // c = 127: the wall lies 3 pixels on, within H = 7
  EXPECT_EQ(HeroShot(0, ShotFacing), 1u);
  EXPECT_EQ(HeroShot(0, ShotX), 127u) << "the new facing acts from the next frame";
  UpdateHeroShots(game);
  EXPECT_EQ(HeroShot(0, ShotX), 120u);
}

}  // namespace
}  // namespace zorbulant
