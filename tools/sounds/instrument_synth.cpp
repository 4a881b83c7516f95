#include "sounds/instrument_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/noise.h"

namespace zorbulant::tools {

namespace {

// Eight half-lives take the decay to 1/256 of its start: below the last step
// an 8-bit sample can show.
constexpr double HalfLivesHeard = 8;
constexpr int BassHarmonics = 6;
constexpr double KickDropSeconds = 0.03;

// One cycle of a pitched wave, its peak at 1.
std::vector<double> WaveCycle(InstrumentWave wave, uint32_t cycle) {
  std::vector<double> values(cycle);
  for (uint32_t i = 0; i < cycle; ++i) {
    const double phase = static_cast<double>(i) / cycle;
    switch (wave) {
      case InstrumentWave::Square:
        values[i] = phase < 0.5 ? 1.0 : -1.0;
        break;
      case InstrumentWave::Saw:
        values[i] = 2 * phase - 1;
        break;
      case InstrumentWave::Triangle:
        values[i] = 4 * std::abs(phase - 0.5) - 1;
        break;
      case InstrumentWave::Bass:
        for (int harmonic = 1; harmonic <= BassHarmonics; ++harmonic) {
          values[i] -= std::sin(2 * std::numbers::pi * harmonic * phase) / harmonic;
        }
        break;
      case InstrumentWave::Noise:
      case InstrumentWave::Kick:
        break;
    }
  }
  double peak = 0;
  for (double value : values) peak = std::max(peak, std::abs(value));
  if (peak > 0) {
    for (double& value : values) value /= peak;
  }
  return values;
}

int8_t ToSampleByte(double value) {
  return static_cast<int8_t>(std::clamp(std::lround(value * 127), -127L, 127L));
}

}  // namespace

ModuleSample SynthesiseInstrument(const std::string& name, const InstrumentRecipe& recipe,
                                  uint32_t seed) {
  ModuleSample sample;
  sample.name = name;
  sample.volume = recipe.volume;
  const double rate = ReferenceRate();
  const bool holds = recipe.halfLife == 0 || recipe.sustain > 0;
  size_t length = recipe.cycle;
  if (recipe.halfLife > 0) {
    length = static_cast<size_t>(std::ceil(HalfLivesHeard * recipe.halfLife * rate));
    if (holds) length = (length + recipe.cycle - 1) / recipe.cycle * recipe.cycle;
  }
  const std::vector<double> cycle = WaveCycle(recipe.wave, recipe.cycle);
  Noise noise(seed);
  double phase = 0;
  if (!holds) sample.data.assign(2, 0);
  for (size_t i = 0; i < length; ++i) {
    const double time = static_cast<double>(i) / rate;
    const double level =
        recipe.halfLife > 0
            ? recipe.sustain + (1 - recipe.sustain) * std::exp2(-time / recipe.halfLife)
            : 1.0;
    double value = 0;
    if (recipe.wave == InstrumentWave::Noise) {
      value = noise.Next();
    } else if (recipe.wave == InstrumentWave::Kick) {
      value = std::sin(2 * std::numbers::pi * phase);
      const double frequency = rate / recipe.cycle * (1 + 3 * std::exp(-time / KickDropSeconds));
      phase += frequency / rate;
      phase -= std::floor(phase);
    } else {
      value = cycle[i % recipe.cycle];
    }
    sample.data.push_back(ToSampleByte(value * level));
  }
  if (sample.data.size() % 2 != 0) sample.data.push_back(0);
  if (holds) {
    sample.loopStart = sample.data.size() - recipe.cycle;
    sample.loopLength = recipe.cycle;
  }
  return sample;
}

}  // namespace zorbulant::tools
