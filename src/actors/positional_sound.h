// Sounds placed by where their source lies: the panning is the hero's column
// minus the source's column, in columns of 32 pixels, so it is positive when
// the source lies to the left of the hero.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

int32_t PositionalPanning(const Game& game, uint32_t sourceX);

struct PositionalSound {
  uint32_t sample;  // index into the sample table
  uint32_t rate;
  uint32_t volume;
  uint32_t echoRate;
  // The near window, both ends inside: a source this close is echoed.
  int32_t nearFrom;
  int32_t nearTo;
};

// Plays once at the positional panning and, when that lies in the near
// window, again at panning 128 and the echo rate.
void PlayPositional(Game& game, const PositionalSound& sound, uint32_t sourceX);

}  // namespace zorbulant
