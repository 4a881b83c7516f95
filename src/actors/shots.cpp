// Enemy shots, bullets, laser shots and the flame.
#include "actors/shots.h"

#include "actors/effects.h"
#include "actors/scene_pixels.h"
#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/shot_table.h"

namespace zorbulant {

namespace {

constexpr uint32_t PictureRows = regions::LevelPictureRows;
constexpr uint32_t FlameFrames = 52'784;
constexpr uint32_t FlameWidth = 38;
constexpr uint32_t FlameHeight = 10;
constexpr uint8_t FlameTransparentFrom = 247;
constexpr uint32_t InAirFrame = 16;

// Value 250 at the place and 252 at its four neighbours.
void DrawBullet(Game& game, uint32_t x, uint32_t y) {
  const int64_t sx = Signed(x);
  const int64_t sy = Signed(y);
  PutScenePixel(game, sx, sy, 250);
  PutScenePixel(game, sx - 1, sy, 252);
  PutScenePixel(game, sx + 1, sy, 252);
  PutScenePixel(game, sx, sy - 1, 252);
  PutScenePixel(game, sx, sy + 1, 252);
}

bool HitsWall(const Game& game, uint32_t x, uint32_t y) {
  return ActorSolid(game, x - 1, y) || ActorSolid(game, x, y) || ActorSolid(game, x + 1, y) ||
         OutsidePicture(x, y);
}

void UpdateEnemyShot(Game& game, uint32_t slot) {
  WorkBlock& work = game.work;
  const Region table = regions::EnemyShotTable;
  HeroVariables& hero = game.hero;
  const uint32_t y = GetShotWord(work, table, slot, ShotY);
  DrawBullet(game, GetShotWord(work, table, slot, ShotX), y);
  const uint32_t facing = GetShotWord(work, table, slot, ShotFacing);
  const uint32_t x = GetShotWord(work, table, slot, ShotX) + (facing == 0 ? 2 : -2);
  SetShotWord(work, table, slot, ShotX, x);

  // A ducking hero is only 18 rows high.
  const uint32_t reach = hero.HeroFrame == DuckingFrame ? 18 : 30;
  if (x <= hero.HeroX && hero.HeroX <= x + 3 && y < hero.HeroY && hero.HeroY <= y + reach) {
    HeroHurtSound(game);
    const uint32_t damage = GetShotWord(work, table, slot, ShotDamage);
    hero.HeroHealth = hero.HeroHealth >= damage ? hero.HeroHealth - damage : 0;
    StartHitSpray(game, x, y, facing);
    SetShotWord(work, table, slot, ShotActive, 0);
  }
  if (HitsWall(game, x, y)) SetShotWord(work, table, slot, ShotActive, 0);
}

// Bullets and laser shots.
void MoveBullet(Game& game, uint32_t slot, bool laser) {
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  const uint32_t facing = GetShotWord(work, table, slot, ShotFacing);
  const uint32_t x = GetShotWord(work, table, slot, ShotX) + (facing == 0 ? 2 : -2);
  const uint32_t y = GetShotWord(work, table, slot, ShotY);
  SetShotWord(work, table, slot, ShotX, x);
  if (HitsWall(game, x, y)) {
    SetShotWord(work, table, slot, ShotActive, 0);
    return;
  }
  if (!laser) {
    DrawBullet(game, x, y);
    return;
  }
  for (int64_t column = Signed(x) - 1; column <= Signed(x) + 2; ++column) {
    PutScenePixel(game, column, Signed(y), 5);
  }
}

// The flame is rebuilt in front of the hero every frame while it lasts.
void BurnFlame(Game& game, uint32_t slot) {
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  HeroVariables& hero = game.hero;
  const uint32_t clock = game.world.FrameClock;
  if ((clock & 248) == 0) {
    PlaySample(game, game.sound.SampleTable[SampleFire].Handle, 11025, 64, 0);
  }
  const uint32_t facing = hero.HeroFacingLeft;
  const uint32_t x = facing == 0 ? hero.HeroX + 6 : hero.HeroX - 6;
  uint32_t y = hero.HeroY - 25;
  if (hero.HeroFrame == DuckingFrame) y += 9;
  if (hero.HeroFrame == InAirFrame) y += 5;
  SetShotWord(work, table, slot, ShotFacing, facing);
  SetShotWord(work, table, slot, ShotX, x);
  SetShotWord(work, table, slot, ShotY, y);

  hero.FlameFuel -= 1;
  if (hero.FlameFuel == 0 || (hero.WeaponFlags & WeaponFlamer) == 0) {
    hero.WeaponFlags = (hero.WeaponFlags & LaserUpgrade) | WeaponPistol;
    SetShotWord(work, table, slot, ShotActive, 0);
    return;
  }
  const uint8_t* frame = SpriteFrame(game, FlameFrames, (clock >> 6) & 3, FlameWidth, FlameHeight);
  // Facing left, the columns run leftward from x.
  const int64_t left = facing == 0 ? Signed(x) : Signed(x) - FlameWidth;
  DrawSprite(game, frame, FlameWidth, FlameHeight, left, Signed(y), facing != 0,
             FlameTransparentFrom);
}

}  // namespace

bool OutsidePicture(uint32_t x, uint32_t y) {
  return x >= regions::SceneRowLength || y >= PictureRows;
}

void HeroHurtSound(Game& game) {
  PlaySample(game, game.sound.SampleTable[SampleUmpf].Handle, 30000, 64, 0);
}

void UpdateEnemyShots(Game& game) {
  for (uint32_t slot = 0; slot < EnemyShotSlots; ++slot) {
    if (GetShotWord(game.work, regions::EnemyShotTable, slot, ShotActive) == 1) {
      UpdateEnemyShot(game, slot);
    }
  }
}

void UpdateHeroShots(Game& game) {
  const Region table = regions::HeroShotTable;
  for (uint32_t slot = 0; slot < HeroShotSlots; ++slot) {
    if (GetShotWord(game.work, table, slot, ShotActive) == 0) continue;
    const uint32_t weapon = GetShotWord(game.work, table, slot, ShotWeapon);
    if (weapon & WeaponFlamer) {
      BurnFlame(game, slot);
    } else if (weapon & WeaponGrenade) {
      MoveGrenade(game, slot);
    } else {
      MoveBullet(game, slot, (weapon & LaserUpgrade) != 0);
    }
  }
}

}  // namespace zorbulant
