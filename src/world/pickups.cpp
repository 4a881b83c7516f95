// Pick-ups: health, grenades, fuel, the laser, carried items, double damage.
#include <cstring>

#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/level_object.h"
#include "world/object_pass.h"

namespace zorbulant {

namespace {

constexpr uint32_t TargetHealth = 8;
constexpr uint32_t TargetWeapons = 16;
constexpr uint32_t TargetItemA = 20;
constexpr uint32_t TargetItemB = 24;

}  // namespace

void UpdatePickup(Game& game, LevelObject& pickup) {
  DrawObjectSprite(game, pickup);
  if (!HeroInsideObject(game, pickup)) return;
  pickup.Set(field::Type, 0);  // gone from the next frame on
  const uint32_t target = pickup.Get(field::Target);
  // The head-up display draws a carried item from this copy.
  if (target == TargetItemA) {
    std::memcpy(game.work.at(regions::CarriedItemA), pickup.Bytes(), levelfile::ObjectSize);
  }
  if (target == TargetItemB) {
    std::memcpy(game.work.at(regions::CarriedItemB), pickup.Bytes(), levelfile::ObjectSize);
  }
  const SampleRecord* samples = game.sound.SampleTable.data();
  if (target == TargetHealth) {
    PlaySample(game, samples[SampleHeart].Handle, 11025, 64, 0);
    PlaySample(game, samples[SampleHeart].Handle, 11025, 64, 128);
  } else {
    PlaySample(game, samples[SampleKling].Handle, 9500, 48, 0);
  }
  if (target == TargetWeapons) {
    game.hero.WeaponFlags = WeaponPistol | LaserUpgrade;  // even over a selected flame-thrower
    return;
  }
  // A Target outside the hero variable block changes nothing.
  SetHeroWord(game.hero, target, GetHeroWord(game.hero, target) + pickup.Get(field::Amount));
}

}  // namespace zorbulant
