// The instruments of the songs, synthesised into module samples.
#pragma once

#include <cstdint>
#include <string>

#include "sounds/tracker_module.h"

namespace zorbulant::tools {

enum class InstrumentWave {
  Square,
  Saw,
  Triangle,
  Bass,   // a saw of its first six harmonics only: round and low
  Noise,  // a drum: white noise, brighter at higher notes
  Kick,   // a drum: a sine that falls from two octaves above its pitch
};

struct InstrumentRecipe {
  InstrumentWave wave = InstrumentWave::Square;
  uint32_t cycle = 32;  // samples in one wave cycle, so C-2 sounds at ReferenceRate() / cycle
  double halfLife = 0;  // seconds at C-2 for the loudness to halve; 0 holds it
  double sustain = 0;   // the loudness the decay settles at, 0 to 1
  uint8_t volume = 64;
};

// Notes that decay to silence play once and begin with a word of silence, which
// players repeat after a sample's end; notes that hold loop their last cycle,
// so a held cycle must have an even length. Drums must decay to silence. The
// noise comes from `seed`.
ModuleSample SynthesiseInstrument(const std::string& name, const InstrumentRecipe& recipe,
                                  uint32_t seed);

}  // namespace zorbulant::tools
