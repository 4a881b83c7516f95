// The firing step.
#include "world/hero_weapons.h"

#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/shot_table.h"

namespace zorbulant {

namespace {

constexpr uint32_t GrenadeFlight = 2047;  // its low bytes are the grenade's flight state

}  // namespace

void FiringStep(Game& game) {
  HeroVariables& hero = game.hero;
  WorldVariables& world = game.world;
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;

  // Letting go of the fire key puts the flame out: slots 0 and 1 are freed,
  // whatever they hold.
  if ((hero.WeaponFlags & WeaponFlamer) && game.keys.KeyFire == 0) {
    SetShotWord(work, table, 0, ShotActive, 0);
    SetShotWord(work, table, 1, ShotActive, 0);
  }
  const uint32_t old = world.FireKeyLast;
  world.FireKeyLast = game.keys.KeyFire;
  if (old == 1 || game.keys.KeyFire == 0) return;  // a held key fires once

  if (hero.WeaponFlags == WeaponPistol) {
    if (hero.PistolRounds == 0) return;
    // Spent even when no slot is free.
    hero.PistolRounds -= 1;
  }
  uint32_t slot = 0;
  while (slot < HeroShotSlots && GetShotWord(work, table, slot, ShotActive) != 0) ++slot;
  if (slot == HeroShotSlots) return;

  // The last rule that applies picks the sound.
  uint32_t sample = SampleGun;
  if (hero.WeaponFlags & LaserUpgrade) sample = SampleLaser;
  if (hero.WeaponFlags & (WeaponFlamer | WeaponGrenade)) sample = SampleGun5;
  const uint32_t rate = sample == SampleGun ? 10500 : 11025;
  const uint32_t handle = game.sound.SampleTable[sample].Handle;
  PlaySample(game, handle, rate, 64, 0);
  PlaySample(game, handle, rate - 500, 64, 128);  // the echo

  SetShotWord(work, table, slot, ShotX, hero.HeroX);
  // A ducking hero fires 10 pixels lower.
  SetShotWord(work, table, slot, ShotY, hero.HeroY - (hero.HeroFrame == DuckingFrame ? 11 : 21));
  SetShotWord(work, table, slot, ShotWeapon, hero.WeaponFlags);
  SetShotWord(work, table, slot, ShotFacing, hero.HeroFacingLeft);
  SetShotWord(work, table, slot, ShotActive, 1);
  if (hero.WeaponFlags & WeaponGrenade) {
    SetShotWord(work, table, slot, ShotActive, GrenadeFlight);
    hero.GrenadeCount -= 1;
    // The last grenade thrown: back to the pistol, the laser kept.
    if (hero.GrenadeCount == 0) hero.WeaponFlags = (hero.WeaponFlags & LaserUpgrade) | WeaponPistol;
  }
}

}  // namespace zorbulant
