// Switches: shot, touched and paid for, broken, fired.
#include "actors/effects.h"
#include "actors/positional_sound.h"
#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/level_object.h"
#include "world/object_pass.h"
#include "world/shot_table.h"

namespace zorbulant {

namespace {

constexpr uint32_t FlameReach = 32;
constexpr PositionalSound BreakSound{SampleExplosion, 11025, 63, 10025, -6, 4};

// The four set actions, then the two add actions, each naming a word of the
// object list by byte offset.
void Fire(Game& game, LevelObject& lever) {
  lever.Set(field::HitPoints, 0);  // spent
  lever.Set(field::FrameMask, 0);
  lever.Set(field::SpriteOffset, lever.Get(field::SpentSprite));
  for (uint32_t action = 0; action < 4; ++action) {
    const uint32_t at = field::Set1Offset + 8 * action;
    SetObjectListWord(game.work, lever.Get(at), lever.Get(at + 4));
  }
  for (uint32_t action = 0; action < 2; ++action) {
    const uint32_t at = field::Add1Offset + 8 * action;
    AddObjectListWord(game.work, lever.Get(at), lever.Get(at + 4));
  }
}

void Break(Game& game, LevelObject& lever) {
  PlayPositional(game, BreakSound, lever.Get(field::X));
  StartExplosion(game, lever, false);
  Fire(game, lever);
}

// Unsigned arithmetic as the shot test has always used: near the level's left
// or top edge a subtraction wraps and the shot never hits.
bool ShotHits(const Game& game, const LevelObject& lever, uint32_t slot) {
  const WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  const uint32_t shotX = GetShotWord(work, table, slot, ShotX);
  const uint32_t shotY = GetShotWord(work, table, slot, ShotY);
  const bool flame = (GetShotWord(work, table, slot, ShotWeapon) & WeaponFlamer) != 0;
  const uint32_t facing = GetShotWord(work, table, slot, ShotFacing);
  const uint32_t right = flame && facing == 0 ? FlameReach : 0;
  const uint32_t left = flame && facing == 1 ? FlameReach : 0;
  const uint32_t x = lever.Get(field::X);
  const uint32_t y = lever.Get(field::Y);
  return shotX + 1 + right >= x && shotX - lever.Get(field::Width) - left < x && shotY >= y &&
         shotY - lever.Get(field::Height) < y;
}

// Returns true when the shots broke the switch.
bool TakeShots(Game& game, LevelObject& lever) {
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  for (uint32_t slot = 0; slot < HeroShotSlots; ++slot) {
    if (GetShotWord(work, table, slot, ShotActive) == 0 || !ShotHits(game, lever, slot)) continue;
    const uint32_t weapon = GetShotWord(work, table, slot, ShotWeapon);
    if ((weapon & WeaponFlamer) == 0) SetShotWord(work, table, slot, ShotActive, 0);
    // No doubling here.
    const uint32_t hitPoints = lever.Get(field::HitPoints);
    if (weapon >= hitPoints) {
      Break(game, lever);
      return true;
    }
    lever.Set(field::HitPoints, hitPoints - weapon);
  }
  return false;
}

}  // namespace

void UpdateSwitch(Game& game, LevelObject& lever) {
  DrawObjectSprite(game, lever);
  if (lever.Get(field::HitPoints) != 0 && TakeShots(game, lever)) return;
  if (!HeroInsideObject(game, lever) || lever.Get(field::HitPoints) == 0) return;
  const uint32_t payWith = lever.Get(field::PayWith);
  // Only a word of the hero variable block can pay.
  if (!HeroWordInside(payWith)) return;
  const uint32_t have = GetHeroWord(game.hero, payWith);
  const uint32_t price = lever.Get(field::Price);
  if (have < price) return;
  SetHeroWord(game.hero, payWith, have - price);
  const uint32_t sound = lever.Get(field::Sound);
  if (sound != 0) {
    const uint32_t sample = sound == 1 ? SampleDoor : SampleSwitch;
    PlaySample(game, game.sound.SampleTable[sample].Handle, 22025, 64, 0);
  }
  Fire(game, lever);
}

}  // namespace zorbulant
