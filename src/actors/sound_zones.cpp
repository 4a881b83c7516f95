// Sound zones, repeating and positional.
#include "actors/sound_zones.h"

#include <algorithm>

#include "flow/game.h"
#include "sound/sound_engine.h"
#include "world/level_object.h"

namespace zorbulant {

namespace {

constexpr uint32_t PositionalBelow = 250;  // a RepeatTime below this places the sound

}  // namespace

void UpdateSoundZone(Game& game, LevelObject& zone) {
  const uint32_t heroX = game.hero.HeroX;
  const uint32_t heroY = game.hero.HeroY;
  const uint32_t x = zone.Get(field::X);
  const uint32_t y = zone.Get(field::Y);
  const uint32_t width = zone.Get(field::Width);
  // Left and top edges inside, right and bottom outside.
  if (!(x <= heroX && heroX < x + width && y <= heroY && heroY < y + zone.Get(field::Height))) {
    // Stepping in again plays at once.
    zone.Set(field::NextPlayTime, 0);
    return;
  }
  const uint32_t clock = game.world.FrameClock;
  if (clock < zone.Get(field::NextPlayTime)) return;
  const uint32_t repeat = zone.Get(field::RepeatTime);
  zone.Set(field::NextPlayTime, clock + repeat);

  uint32_t volume = 64;
  int32_t panning = 0;
  if (repeat < PositionalBelow) {
    const uint32_t middle = x + width / 2;
    const uint32_t distance = heroX < middle ? middle - heroX : heroX - middle;
    if (distance != 0) volume = std::min(64u, (width / 2 * 32) / distance);
    // Positive panning means the source lies to the left: a hero left of the
    // middle hears the zone from the right. (Mended: the sides were swapped,
    // against every other positional sound.)
    panning = heroX < middle ? -64 : 64;
  }
  const uint32_t sample =
      zone.Get(field::SampleChoice) == 0 ? game.sound.LevelSample1 : game.sound.LevelSample2;
  PlaySample(game, sample, 11025, volume, static_cast<uint32_t>(panning));
}

}  // namespace zorbulant
