// Positional sounds and their echo.
#include "actors/positional_sound.h"

#include "flow/game.h"
#include "sound/sound_engine.h"

namespace zorbulant {

int32_t PositionalPanning(const Game& game, uint32_t sourceX) {
  // Each position is divided before the subtraction.
  return static_cast<int32_t>(game.hero.HeroX / 32 - sourceX / 32);
}

void PlayPositional(Game& game, const PositionalSound& sound, uint32_t sourceX) {
  const int32_t panning = PositionalPanning(game, sourceX);
  const uint32_t handle = game.sound.SampleTable[sound.sample].Handle;
  PlaySample(game, handle, sound.rate, sound.volume, static_cast<uint32_t>(panning));
  if (sound.nearFrom <= panning && panning <= sound.nearTo) {
    PlaySample(game, handle, sound.echoRate, sound.volume, 128);
  }
}

}  // namespace zorbulant
