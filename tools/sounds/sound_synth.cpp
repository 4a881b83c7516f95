#include "sounds/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/noise.h"

namespace zorbulant::tools {

namespace {

// A state-variable filter in trapezoidal form: it stays stable while its
// frequency sweeps, which the simpler forms do not near half the rate.
class StateVariableFilter {
 public:
  explicit StateVariableFilter(double resonance) : damping_(1.0 / resonance) {}

  struct Outputs {
    double low;
    double band;  // scaled to a gain of 1 at the centre frequency
  };

  Outputs Step(double input, double frequency, double rate) {
    const double g = std::tan(std::numbers::pi * std::min(frequency / rate, 0.49));
    const double a1 = 1.0 / (1.0 + g * (g + damping_));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = input - state2_;
    const double v1 = a1 * state1_ + a2 * v3;
    const double v2 = state2_ + a2 * state1_ + a3 * v3;
    state1_ = 2 * v1 - state1_;
    state2_ = 2 * v2 - state2_;
    return {v2, damping_ * v1};
  }

 private:
  double damping_;
  double state1_ = 0;
  double state2_ = 0;
};

// Narrow enough to colour a voice into a vowel, wide enough to pass a sweep.
constexpr double BandResonance = 5.0;
constexpr double LowpassResonance = std::numbers::sqrt2 / 2;

double WaveAt(Wave wave, double phase) {
  switch (wave) {
    case Wave::Sine:
      return std::sin(2 * std::numbers::pi * phase);
    case Wave::Square:
      return phase < 0.5 ? 1.0 : -1.0;
    case Wave::Saw:
      return 2 * phase - 1;
    case Wave::Triangle:
      return 4 * std::abs(phase - 0.5) - 1;
    case Wave::Noise:
      break;
  }
  return 0;
}

void AddLayer(const SoundLayer& layer, uint32_t seed, double rate, std::vector<double>& mix) {
  const auto first = static_cast<size_t>(std::lround(layer.start * rate));
  const auto count = static_cast<size_t>(std::ceil(layer.level.back().time * rate));
  Noise noise(seed);
  std::vector<StateVariableFilter> bands(layer.bands.size(), StateVariableFilter(BandResonance));
  StateVariableFilter lowpass(LowpassResonance);
  double phase = 0;
  for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
    const double time = static_cast<double>(i) / rate;
    double value = 0;
    if (layer.wave == Wave::Noise) {
      value = noise.Next();
    } else {
      value = WaveAt(layer.wave, phase);
      double frequency = FrequencyAt(layer.pitch, time);
      if (layer.vibratoHz > 0) {
        const double swing = std::sin(2 * std::numbers::pi * layer.vibratoHz * time);
        frequency *= std::exp2(layer.vibratoSemitones * swing / 12);
      }
      phase += frequency / rate;
      phase -= std::floor(phase);
    }
    value *= LinearAt(layer.level, time);
    if (!bands.empty()) {
      double voiced = 0;
      for (size_t b = 0; b < bands.size(); ++b) {
        voiced += bands[b].Step(value, FrequencyAt(layer.bands[b], time), rate).band;
      }
      value = voiced;
    }
    if (!layer.lowpass.empty()) {
      value = lowpass.Step(value, FrequencyAt(layer.lowpass, time), rate).low;
    }
    mix[first + i] += value;
  }
}

}  // namespace

bool RenderSound(const SoundRecipe& recipe, std::vector<double>& samples, std::string& error) {
  const double rate = recipe.rate;
  double seconds = 0;
  for (const SoundLayer& layer : recipe.layers) {
    seconds = std::max(seconds, layer.start + layer.level.back().time);
  }
  samples.assign(static_cast<size_t>(std::ceil(seconds * rate)), 0.0);
  for (size_t i = 0; i < recipe.layers.size(); ++i) {
    // Each layer has its own noise, so two noise layers never cancel or double.
    AddLayer(recipe.layers[i], static_cast<uint32_t>(0x9E3779B9u * (i + 1)), rate, samples);
  }
  double loudest = 0;
  for (double value : samples) loudest = std::max(loudest, std::abs(value));
  if (loudest == 0) {
    error = "the recipe renders to silence";
    return false;
  }
  for (double& value : samples) value *= recipe.peak / loudest;
  return true;
}

}  // namespace zorbulant::tools
