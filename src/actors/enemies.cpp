// Enemies: fire, hits, facing, contact, terrain, jumps, patrol, walk, drawing.
#include "actors/enemies.h"

#include "actors/effects.h"
#include "actors/positional_sound.h"
#include "actors/scene_pixels.h"
#include "actors/shots.h"
#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/level_object.h"
#include "world/shot_table.h"

namespace zorbulant {

namespace {

constexpr uint32_t JumpSpeed = 10;
constexpr uint32_t WallMeasure = 40;   // rows a measuring enemy will not jump
constexpr uint32_t HunterGround = 20;  // rows below a hunter that stop it in mid-air
constexpr uint8_t TurnsNonJumper = 247;
constexpr PositionalSound ScreamSound{SampleScream, 10500, 64, 11015, -11, 9};
constexpr PositionalSound DeathSound{SampleAyaah, 11025, 64, 11015, -11, 9};

uint32_t Ahead(const LevelObject& enemy) {
  return enemy.Get(field::Facing) == 0 ? enemy.Get(field::X) + 1 : enemy.Get(field::X) - 1;
}

void TurnRound(LevelObject& enemy) { enemy.Set(field::Facing, 1 - enemy.Get(field::Facing)); }

bool WallAhead(const Game& game, const LevelObject& enemy) {
  return ActorSolid(game, Ahead(enemy), enemy.Get(field::Y));
}

// The column ahead from the foot row upwards is solid for 40 rows.
bool HighWallAhead(const Game& game, const LevelObject& enemy) {
  const uint32_t y = enemy.Get(field::Y);
  for (uint32_t row = 0; row < WallMeasure; ++row) {
    if (!ActorSolid(game, Ahead(enemy), y - row)) return false;
  }
  return true;
}

// The box a hunter looks into on open ground: 20 columns, rows Y - 31 to
// Y - 2, further ahead when facing right than when facing left.
bool ObstacleAboveAhead(const Game& game, const LevelObject& enemy) {
  const uint32_t x = enemy.Get(field::X);
  const uint32_t y = enemy.Get(field::Y);
  const uint32_t left = enemy.Get(field::Facing) == 0 ? x + 20 : x - 20;
  for (uint32_t row = y - 31; row != y - 1; ++row) {
    for (uint32_t column = left; column != left + 20; ++column) {
      if (ActorSolid(game, column, row)) return true;
    }
  }
  return false;
}

void ReactToTerrain(Game& game, LevelObject& enemy, uint32_t behaviour) {
  const uint32_t y = enemy.Get(field::Y);
  if ((behaviour & EnemyJumps) == 0) {
    if (LevelPixel(game, Ahead(enemy), y) >= TurnsNonJumper) TurnRound(enemy);
    return;
  }
  // Past the top of a jump an enemy that does not measure walls turns at one.
  if ((behaviour & EnemyMeasuresWalls) == 0 && enemy.Get(field::RiseSpeed) == 0 &&
      enemy.Get(field::Airborne) == 1 && WallAhead(game, enemy)) {
    TurnRound(enemy);
    return;
  }
  const bool heroNotLower = y >= game.hero.HeroY;
  if (!ActorSolid(game, Ahead(enemy), y + 1)) {
    if ((behaviour & EnemyHunts) == 0 || heroNotLower) StartEnemyJump(enemy);
    return;
  }
  if (WallAhead(game, enemy)) {
    if ((behaviour & EnemyMeasuresWalls) == 0 || !HighWallAhead(game, enemy)) {
      StartEnemyJump(enemy);
    } else {
      TurnRound(enemy);
    }
    return;
  }
  if ((behaviour & EnemyHunts) && heroNotLower && ObstacleAboveAhead(game, enemy)) {
    StartEnemyJump(enemy);
  }
}

// Rises by the jump's speed, then stands on solid ground or sinks a pixel.
// Nothing stops an enemy from rising through solid pixels.
void MoveVertically(const Game& game, LevelObject& enemy) {
  const uint32_t rise = enemy.Get(field::RiseSpeed);
  if (rise > 0) {
    enemy.Set(field::Y, enemy.Get(field::Y) - rise);
    enemy.Set(field::RiseSpeed, rise - 1);
  }
  const uint32_t y = enemy.Get(field::Y);
  if (ActorSolid(game, enemy.Get(field::X), y + 1)) {
    enemy.Set(field::RiseSpeed, 0);
    enemy.Set(field::Airborne, 0);
  } else {
    enemy.Set(field::Y, y + 1);
  }
}

// While a hunter's jump is under way, ground close below holds it sideways.
bool HunterHeld(const Game& game, const LevelObject& enemy, uint32_t behaviour) {
  if ((behaviour & EnemyHunts) == 0 || enemy.Get(field::Airborne) != 1) return false;
  const uint32_t x = enemy.Get(field::X);
  const uint32_t y = enemy.Get(field::Y);
  for (uint32_t row = 0; row < HunterGround; ++row) {
    if (ActorSolid(game, x, y + row)) return true;
  }
  return false;
}

void PatrolAndWalk(const Game& game, LevelObject& enemy) {
  const uint32_t x = enemy.Get(field::X);
  // Equality only; these turns win over every other.
  if (x == enemy.Get(field::PatrolLeft)) enemy.Set(field::Facing, 0);
  if (x == enemy.Get(field::PatrolRight)) enemy.Set(field::Facing, 1);
  if (!WallAhead(game, enemy)) enemy.Set(field::X, Ahead(enemy));
}

// The walk cycle follows the distance walked, not the clock.
void DrawEnemy(Game& game, const LevelObject& enemy) {
  const uint32_t x = enemy.Get(field::X);
  const uint32_t width = enemy.Get(field::Width);
  const uint32_t height = enemy.Get(field::Height);
  const uint32_t k = (x >> (enemy.Get(field::FrameShift) & 31)) & enemy.Get(field::FrameMask);
  const uint8_t* frame = SpriteFrame(game, enemy.Get(field::SpriteOffset), k, width, height);
  if (frame == nullptr) return;
  DrawSprite(game, frame, width, height, Signed(x) - width / 2,
             Signed(enemy.Get(field::Y)) - height + 1, enemy.Get(field::Facing) == 1,
             ActorSolidFrom);
}

}  // namespace

void StartEnemyJump(LevelObject& enemy) {
  if (enemy.Get(field::Airborne) != 0) return;
  enemy.Set(field::Airborne, 1);
  enemy.Set(field::RiseSpeed, JumpSpeed);
}

void EnemyFire(Game& game, const LevelObject& enemy) {
  WorkBlock& work = game.work;
  const Region table = regions::EnemyShotTable;
  uint32_t slot = 0;
  while (slot < EnemyShotSlots && GetShotWord(work, table, slot, ShotActive) == 1) ++slot;
  if (slot == EnemyShotSlots) {
    // Every slot is busy: a count cycling from 1 to 8, kept apart from the
    // slots, picks the one to reuse.
    uint32_t& count = game.world.EnemyFireCount;
    slot = count % EnemyShotSlots;
    count = count % EnemyShotSlots + 1;
  }
  SetShotWord(work, table, slot, ShotX, enemy.Get(field::X));
  // Eight rows below the top of its picture.
  SetShotWord(work, table, slot, ShotY, enemy.Get(field::Y) - enemy.Get(field::Height) + 8);
  SetShotWord(work, table, slot, ShotFacing, enemy.Get(field::Facing));
  SetShotWord(work, table, slot, ShotDamage, enemy.Get(field::ShotDamage));
  SetShotWord(work, table, slot, ShotActive, 1);
}

void ApplyShotHits(Game& game, LevelObject& enemy) {
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  const uint32_t x = enemy.Get(field::X);
  const uint32_t y = enemy.Get(field::Y);
  for (uint32_t slot = 0; slot < HeroShotSlots; ++slot) {
    if (GetShotWord(work, table, slot, ShotActive) == 0) continue;
    const uint32_t shotX = GetShotWord(work, table, slot, ShotX);
    const uint32_t shotY = GetShotWord(work, table, slot, ShotY);
    const uint32_t weapon = GetShotWord(work, table, slot, ShotWeapon);
    const uint32_t facing = GetShotWord(work, table, slot, ShotFacing);
    const bool grenade = (weapon & WeaponGrenade) != 0;
    const bool flame = (weapon & WeaponFlamer) != 0;
    uint32_t right = shotX + 2;
    uint32_t left = shotX - 2;
    if (grenade) {
      right += 16;
      left -= 16;
    }
    if (flame && facing == 0) right += 38;
    if (flame && facing == 1) left -= 38;
    if (!(left < x && x <= right && y - enemy.Get(field::Height) <= shotY && shotY < y)) continue;

    PlayPositional(game, ScreamSound, x);
    // A flame stays and hits again in every frame it overlaps the enemy.
    if (!flame) {
      if (grenade) GrenadeBlast(game, slot);
      SetShotWord(work, table, slot, ShotActive, 0);
    }
    StartHitSpray(game, shotX, shotY, facing);
    const uint32_t damage = game.hero.DoubleDamageTimer != 0 ? 2 * weapon : weapon;
    const uint32_t hitPoints = enemy.Get(field::HitPoints);
    if (damage <= hitPoints) {
      enemy.Set(field::HitPoints, hitPoints - damage);
      continue;
    }
    enemy.Set(field::Type, 0);
    PlayPositional(game, DeathSound, x);
    StartExplosion(game, enemy, true);
    return;
  }
}

void UpdateEnemy(Game& game, LevelObject& enemy) {
  HeroVariables& hero = game.hero;
  if ((game.world.FrameClock & enemy.Get(field::FireMask)) == 0) EnemyFire(game, enemy);
  // A dying enemy is still turned, moved and drawn in this frame.
  ApplyShotHits(game, enemy);
  // The behaviour before contact rules the rest of the frame: an enemy that
  // has just killed the hero still moves once.
  const uint32_t behaviour = enemy.Get(field::Behaviour);
  if ((behaviour & EnemyFacesHero) && hero.AirTime == 0) {
    enemy.Set(field::Facing, hero.HeroX < enemy.Get(field::X) ? 1 : 0);
  }
  const uint32_t x = enemy.Get(field::X);
  const uint32_t y = enemy.Get(field::Y);
  // Two columns match a closing speed of two pixels per frame; the rows are
  // the picture's overlap with the hero's 32.
  if ((hero.HeroX == x || hero.HeroX == x + 1) && y - enemy.Get(field::Height) < hero.HeroY &&
      hero.HeroY <= y + 31) {
    hero.HeroHealth = 0;
    enemy.Set(field::Behaviour, EnemyFrozen);
  }
  if ((behaviour & EnemyFrozen) == 0) {
    ReactToTerrain(game, enemy, behaviour);
    MoveVertically(game, enemy);
    if (!HunterHeld(game, enemy, behaviour)) PatrolAndWalk(game, enemy);
  }
  DrawEnemy(game, enemy);
}

}  // namespace zorbulant
