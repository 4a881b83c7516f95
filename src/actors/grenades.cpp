// Grenades: flight, bounces, landings and the burst. A grenade's Active word
// holds its flight state: byte 0 the vertical speed V (signed, up positive),
// byte 1 H, both its horizontal speed and the landings still to come.
#include "actors/effects.h"
#include "actors/positional_sound.h"
#include "actors/scene_pixels.h"
#include "actors/shots.h"
#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/shot_table.h"

namespace zorbulant {

namespace {

constexpr uint8_t GrenadeColour = 252;
constexpr PositionalSound BurstSound{SampleExplosion, 10500, 64, 11015, -11, 9};

void DrawGrenade(Game& game, int64_t c, int64_t y) {
  static constexpr int8_t Pixels[8][2] = {{0, -2}, {-1, -2}, {1, -2}, {2, -2},
                                          {0, -3}, {-1, -3}, {0, -1}, {1, -1}};
  for (const auto& pixel : Pixels) PutScenePixel(game, c + pixel[0], y + pixel[1], GrenadeColour);
}

}  // namespace

void MoveGrenade(Game& game, uint32_t slot) {
  WorkBlock& work = game.work;
  const Region table = regions::HeroShotTable;
  const uint32_t flight = GetShotWord(work, table, slot, ShotActive);
  auto v = static_cast<int8_t>(flight & 0xFF);
  auto h = static_cast<uint8_t>(flight >> 8);
  uint32_t x = GetShotWord(work, table, slot, ShotX);
  uint32_t y = GetShotWord(work, table, slot, ShotY);
  const uint32_t facing = GetShotWord(work, table, slot, ShotFacing);

  const uint32_t dx = facing == 0 ? uint32_t{h} : 0u - h;
  const uint32_t c = x + dx;
  DrawGrenade(game, Signed(c), Signed(y));

  // The new facing acts from the next frame on, so a grenade may enter a wall
  // by up to H pixels before it turns.
  for (uint32_t k = h; k >= 1; --k) {
    if (ActorSolid(game, c + k, y - 2)) {
      SetShotWord(work, table, slot, ShotFacing, 1);
      break;
    }
    if (ActorSolid(game, c - k, y - 2)) {
      SetShotWord(work, table, slot, ShotFacing, 0);
      break;
    }
  }
  x += dx;

  v = static_cast<int8_t>(v - 1);
  bool landed = false;
  if (v >= 0) {
    y -= static_cast<uint32_t>(v);  // rising: no ceiling test
  } else {
    for (int32_t row = 1; row < -int32_t{v} && !OutsidePicture(x, y); ++row) {
      y += 1;
      if (ActorSolid(game, x, y) || ActorSolid(game, x, y + 1)) {
        landed = true;
        break;
      }
    }
  }
  SetShotWord(work, table, slot, ShotX, x);
  SetShotWord(work, table, slot, ShotY, y);
  if (landed) {
    h -= 1;
    if (h == 0) {
      GrenadeBlast(game, slot);
      GrenadeBurstSound(game, x);
      SetShotWord(work, table, slot, ShotActive, 0);
      return;
    }
    // It bounces up again with its new horizontal speed as its upward speed.
    v = static_cast<int8_t>(h);
  }
  SetShotWord(work, table, slot, ShotActive, static_cast<uint8_t>(v) | uint32_t{h} << 8);
  if (OutsidePicture(x, y)) SetShotWord(work, table, slot, ShotActive, 0);
}

void GrenadeBlast(Game& game, uint32_t slot) {
  HeroVariables& hero = game.hero;
  const uint32_t x = GetShotWord(game.work, regions::HeroShotTable, slot, ShotX);
  const uint32_t y = GetShotWord(game.work, regions::HeroShotTable, slot, ShotY);
  const int64_t dx = Signed(x - hero.HeroX);
  const int64_t dy = Signed(y - hero.HeroY);
  if (dx > -16 && dx < 16 && dy > -16 && dy < 16) {
    // 4 to 64 points, by the vertical distance alone.
    const auto damage = static_cast<uint32_t>(4 * (16 - (dy < 0 ? -dy : dy)));
    hero.HeroHealth = hero.HeroHealth >= damage ? hero.HeroHealth - damage : 0;
    HeroHurtSound(game);
  }
  StartRings(game, x, y);
}

void GrenadeBurstSound(Game& game, uint32_t x) { PlayPositional(game, BurstSound, x); }

}  // namespace zorbulant
