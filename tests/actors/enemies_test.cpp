// Enemies on small terrains: hits, contact, every behaviour bit, patrols and
// the enemy shot table; and the sound zones.
#include "actors/enemies.h"

#include <gtest/gtest.h>

#include "actors/effects.h"
#include "actors/shots.h"
#include "actors/sound_zones.h"
#include "support/level_world.h"

namespace zorbulant {
namespace {

using testing::Record;

constexpr uint32_t Ground = 400;  // enemies stand on row 401

struct EnemiesTest : ::testing::Test, testing::LevelWorld {
  void SetUp() override {
    Paint(0, Ground + 1, 1280, 20);
    game.hero.HeroX = 1000;
    game.hero.HeroY = Ground;
    game.world.FrameClock = 1;  // odd: enemies with FireMask 1 hold their fire
  }
  LevelObject Enemy(uint32_t x, uint32_t facing, uint32_t behaviour,
                    std::initializer_list<std::pair<uint32_t, uint32_t>> more = {}) {
    auto words = Record({{field::Type, ObjectEnemy},
                         {field::X, x},
                         {field::Y, Ground},
                         {field::Width, 16},
                         {field::Height, 32},
                         {field::Facing, facing},
                         {field::Behaviour, behaviour},
                         {field::FireMask, 1},
                         {field::ShotDamage, 16}});
    for (const auto& [offset, value] : more) words[offset / 4] = value;
    return Add(words);
  }
  void Frames(LevelObject& enemy, int count) {
    for (int frame = 0; frame < count; ++frame) UpdateEnemy(game, enemy);
  }
};

TEST_F(EnemiesTest, FourHitPointsSurviveFourBulletsNotTheFifth) {
  auto enemy = Enemy(500, 0, EnemyFrozen, {{field::HitPoints, 4}});
  for (int bullet = 1; bullet <= 5; ++bullet) {
    SetHeroShot(bullet % 6, 1, 501, Ground - 10, WeaponPistol, 1);
    UpdateEnemy(game, enemy);
    EXPECT_EQ(HeroShot(bullet % 6, ShotActive), 0u);
    EXPECT_EQ(enemy.Get(field::Type), bullet < 5 ? ObjectEnemy : 0u) << bullet;
  }
  EXPECT_EQ(game.effects.explosion.ExplosionStep, 0u);
  EXPECT_TRUE(game.effects.explosion.attachedEnemy);
  EXPECT_EQ(Sounds().back(), Sound(SampleAyaah, 11025, 64, 16));
  EXPECT_EQ(Sounds().size(), 6u) << "five screams and the last cry, all too far for an echo";
}

TEST_F(EnemiesTest, DamageDoublesAndTheFlameStaysWhileTheGrenadeBursts) {
  auto enemy = Enemy(500, 0, EnemyFrozen, {{field::HitPoints, 4}});
  game.hero.DoubleDamageTimer = 100;
  game.hero.HeroX = 510;
  for (int bullet = 0; bullet < 2; ++bullet) {
    SetHeroShot(0, 1, 499, Ground - 1, WeaponPistol, 0);
    UpdateEnemy(game, enemy);
  }
  EXPECT_EQ(enemy.Get(field::HitPoints), 0u);
  EXPECT_EQ(Sounds()[1], Sound(SampleScream, 11015, 64, 128)) << "near: echoed";

  game.hero.DoubleDamageTimer = 0;
  enemy.Set(field::HitPoints, 20);
  SetHeroShot(0, 1, 500 - 39, Ground - 5, WeaponFlamer | LaserUpgrade, 0);
  Frames(enemy, 3);
  EXPECT_EQ(enemy.Get(field::HitPoints), 2u);
  EXPECT_EQ(HeroShot(0, ShotActive), 1u);

  enemy.Set(field::HitPoints, 100);
  SetHeroShot(0, 0x0506, 500 + 17, Ground - 5, WeaponGrenade, 1);
  UpdateEnemy(game, enemy);
  EXPECT_EQ(enemy.Get(field::HitPoints), 36u);
  EXPECT_EQ(HeroShot(0, ShotActive), 0u);
  EXPECT_EQ(game.effects.explosion.OriginX, 517u) << "the grenade burst where it touched";
}

TEST_F(EnemiesTest, ContactAtClosingSpeedTwoKillsAndFreezesTheEnemy) {
  auto enemy = Enemy(520, 1, 0, {{field::PatrolLeft, 0}, {field::PatrolRight, 2000}});
  game.hero.HeroX = 500;
  uint32_t before = 0;
  for (int frame = 0; frame < 20 && game.hero.HeroHealth != 0; ++frame) {
    game.hero.HeroX += 1;  // the hero walks right, the enemy left
    before = enemy.Get(field::X);
    UpdateEnemy(game, enemy);
  }
  EXPECT_EQ(game.hero.HeroHealth, 0u);
  EXPECT_EQ(enemy.Get(field::Behaviour), EnemyFrozen);
  EXPECT_LE(game.hero.HeroX, before + 1) << "never passed";
  const uint32_t x = enemy.Get(field::X);
  EXPECT_EQ(x, before - 1) << "it still moves in the frame of the contact";
  Frames(enemy, 5);
  EXPECT_EQ(enemy.Get(field::X), x) << "frozen from the next frame on";
}

TEST_F(EnemiesTest, MeasuringJumperTurnsAtFortyRowsAndJumpsThirtyNine) {
  for (const uint32_t height : {40u, 39u}) {
    ClearObjects();
    Paint(0, 0, 1280, Ground + 1, 0);
    Paint(501, Ground + 1 - height, 10, height);
    auto enemy = Enemy(500, 0, EnemyJumps | EnemyMeasuresWalls);
    UpdateEnemy(game, enemy);
    EXPECT_EQ(enemy.Get(field::Facing), height == 40 ? 1u : 0u) << height;
    EXPECT_EQ(enemy.Get(field::Airborne), height == 40 ? 0u : 1u) << height;
  }
}

TEST_F(EnemiesTest, FacesTheHeroOnlyWhileHeIsOnTheGround) {
  auto enemy = Enemy(500, 0, EnemyFacesHero, {{field::PatrolRight, 2000}});
  game.hero.HeroX = 400;
  game.hero.AirTime = 3;
  UpdateEnemy(game, enemy);
  EXPECT_EQ(enemy.Get(field::X), 501u) << "the hero is in the air";
  game.hero.AirTime = 0;
  UpdateEnemy(game, enemy);
  EXPECT_EQ(enemy.Get(field::Facing), 1u);
  EXPECT_EQ(enemy.Get(field::X), 500u);
}

TEST_F(EnemiesTest, PastItsTopAJumperTurnsAtAWallUnlessItMeasuresWalls) {
  Paint(501, Ground - 60, 1, 50);  // a wall in the air, ahead of the foot
  for (const uint32_t measures : {0u, EnemyMeasuresWalls}) {
    ClearObjects();
    auto enemy = Enemy(500, 0, EnemyJumps | measures, {{field::Y, Ground - 30}});
    enemy.Set(field::Airborne, 1);
    UpdateEnemy(game, enemy);
    EXPECT_EQ(enemy.Get(field::Facing), measures ? 0u : 1u) << measures;
  }
}

TEST_F(EnemiesTest, Value247TurnsANonJumperButNotAJumper) {
  Paint(511, Ground, 1, 1, 247);
  auto walker = Enemy(510, 0, 0);
  auto jumper = Enemy(510, 0, EnemyJumps);
  UpdateEnemy(game, walker);
  UpdateEnemy(game, jumper);
  EXPECT_EQ(walker.Get(field::Facing), 1u);
  EXPECT_EQ(walker.Get(field::X), 509u);
  EXPECT_EQ(jumper.Get(field::Facing), 0u);
  EXPECT_EQ(jumper.Get(field::X), 511u);
}

TEST_F(EnemiesTest, PatrolTurnsAndStepsBackInOneFrame) {
  auto enemy = Enemy(600, 0, 0, {{field::PatrolLeft, 590}, {field::PatrolRight, 600}});
  UpdateEnemy(game, enemy);
  EXPECT_EQ(enemy.Get(field::Facing), 1u);
  EXPECT_EQ(enemy.Get(field::X), 599u);
}

TEST_F(EnemiesTest, JumpRisesFortyFivePixelsThenSinksOneAFrame) {
  auto enemy = Enemy(500, 0, EnemyJumps | EnemyFrozen);
  StartEnemyJump(enemy);
  enemy.Set(field::Behaviour, 0);
  uint32_t lowest = Ground;
  for (int frame = 0; frame < 10; ++frame) {
    UpdateEnemy(game, enemy);
    lowest = std::min(lowest, enemy.Get(field::Y));
  }
  EXPECT_EQ(lowest, Ground - 45) << "9, 8, ... 1, 0 pixels a frame";
  EXPECT_EQ(enemy.Get(field::RiseSpeed), 0u);
  UpdateEnemy(game, enemy);
  EXPECT_EQ(enemy.Get(field::Y), lowest + 1);
}

TEST_F(EnemiesTest, HunterJumpsAtObstaclesInItsBoxOnlyWhenTheHeroIsNotLower) {
  // The box: rows Y - 31 to Y - 2, columns X + 20 to X + 39 facing right.
  Paint(539, Ground - 31, 1, 1);
  auto hunter = Enemy(500, 0, EnemyJumps | EnemyHunts, {{field::PatrolRight, 2000}});
  game.hero.HeroY = Ground + 1;  // lower: no jump
  UpdateEnemy(game, hunter);
  EXPECT_EQ(hunter.Get(field::Airborne), 0u);
  hunter.Set(field::X, 500);
  game.hero.HeroY = Ground;
  UpdateEnemy(game, hunter);
  EXPECT_EQ(hunter.Get(field::Airborne), 1u);
  EXPECT_EQ(hunter.Get(field::X), 500u) << "ground within 20 rows below holds a jumping hunter";

  Paint(0, 0, 1280, Ground + 1, 0);
  Paint(540, Ground - 31, 1, 1);  // one column past the box
  auto other = Enemy(500, 0, EnemyJumps | EnemyHunts);
  UpdateEnemy(game, other);
  EXPECT_EQ(other.Get(field::Airborne), 0u);
}

TEST_F(EnemiesTest, FireFillsFreeSlotsThenReusesThemInTurn) {
  auto enemy = Enemy(300, 1, EnemyFrozen, {{field::FireMask, 0}, {field::ShotDamage, 40}});
  for (int frame = 0; frame < 8; ++frame) EnemyFire(game, enemy);
  EXPECT_EQ(EnemyShot(7, ShotActive), 1u);
  EXPECT_EQ(EnemyShot(7, ShotY), Ground - 32 + 8);
  EXPECT_EQ(EnemyShot(7, ShotDamage), 40u);
  SetShotWord(game.work, regions::EnemyShotTable, 1, ShotX, 1);
  SetShotWord(game.work, regions::EnemyShotTable, 2, ShotX, 2);
  EnemyFire(game, enemy);
  EnemyFire(game, enemy);
  EXPECT_EQ(EnemyShot(1, ShotX), 300u);
  EXPECT_EQ(EnemyShot(2, ShotX), 300u);
  for (uint32_t slot = 0; slot < 8; ++slot) EXPECT_EQ(EnemyShot(slot, ShotActive), 1u) << slot;
}

TEST_F(EnemiesTest, SoundZoneRepeatsWhileTheHeroStaysAndAtOnceOnReentry) {
  auto zone = Add(Record({{field::Type, ObjectSoundZone},
                          {field::X, 900},
                          {field::Y, 300},
                          {field::Width, 200},
                          {field::Height, 200},
                          {field::SampleChoice, 1},
                          {field::RepeatTime, 1000}}));
  std::vector<uint32_t> playedAt;
  for (uint32_t clock = 100; clock <= 2500; clock += 100) {
    game.world.FrameClock = clock;
    game.hero.HeroX = clock == 1600 ? 1100 : 1000;  // out for one frame
    platform.sound.calls.clear();
    UpdateSoundZone(game, zone);
    if (!Sounds().empty()) playedAt.push_back(clock);
  }
  EXPECT_EQ(playedAt, (std::vector<uint32_t>{100, 1100, 1700}));
  EXPECT_EQ(Sounds().empty(), true);
  game.world.FrameClock = 5000;
  UpdateSoundZone(game, zone);
  EXPECT_EQ(Sounds(), std::vector<std::string>{Sound(202, 11025, 64, 0)});
}

TEST_F(EnemiesTest, PositionalZoneSoundsFromItsMiddle) {
  auto zone = Add(Record({{field::Type, ObjectSoundZone},
                          {field::X, 968},
                          {field::Y, 300},
                          {field::Width, 64},
                          {field::Height, 200},
                          {field::RepeatTime, 0}}));
  // The middle column is 1000.
  for (const auto& [heroX, volume, panning] :
       {std::tuple{1000u, 64u, 64}, {984u, 64u, -64}, {1017u, 60u, 64}, {968u, 32u, -64}}) {
    platform.sound.calls.clear();
    game.hero.HeroX = heroX;
    UpdateSoundZone(game, zone);
    EXPECT_EQ(Sounds(), std::vector<std::string>{Sound(201, 11025, volume, panning)}) << heroX;
  }
}

TEST_F(EnemiesTest, HostileRecordsStayInsideTheirRegions) {
  // Places and sizes far outside the level, with shots about: a sanitizer
  // build reports any access outside the work block's regions.
  const uint32_t wild[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF};
  for (const uint32_t value : wild) {
    ClearObjects();
    auto enemy = Enemy(value, 1, EnemyJumps | EnemyHunts | EnemyMeasuresWalls,
                       {{field::Y, value},
                        {field::Width, value},
                        {field::Height, 40},
                        {field::HitPoints, 0},
                        {field::FrameMask, value},
                        {field::FrameShift, value},
                        {field::FireMask, 0},
                        {field::SpriteOffset, value}});
    SetHeroShot(0, 1, value, value, WeaponPistol, 0);
    SetHeroShot(1, 2047, value, value, WeaponGrenade, 1);
    SetHeroShot(2, 1, value, value, WeaponFlamer, 1);
    game.hero.HeroX = value;
    game.hero.HeroY = value;
    game.hero.FlameFuel = 100;
    for (int frame = 0; frame < 40; ++frame) {
      UpdateEnemyShots(game);
      UpdateHeroShots(game);
      DrawExplosion(game);
      UpdateEnemy(game, enemy);
      DrawHitSpray(game);
    }
    StartExplosion(game, enemy, false);
    for (int frame = 0; frame < 30; ++frame) DrawExplosion(game);
  }
  EXPECT_EQ(game.work.at(regions::TopMargin)[0], 0) << "nothing before the scene";
}

}  // namespace
}  // namespace zorbulant
