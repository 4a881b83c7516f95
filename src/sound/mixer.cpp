// Voices, resampling, panning, the echo and the output stage.
#include "sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zorbulant {

namespace {

constexpr uint32_t FractionBits = 16;
constexpr uint64_t FractionMask = (uint64_t{1} << FractionBits) - 1;
constexpr float FractionScale = 1.0f / (1 << FractionBits);

// Constant power: the centre is 3 dB down on each side, so a sound keeps its
// loudness as it moves across.
std::array<float, 2> PanGains(int32_t panning) {
  const double side = std::clamp(panning, -Mixer::ColumnsToSide, Mixer::ColumnsToSide) /
                      static_cast<double>(Mixer::ColumnsToSide);
  const double quarter = std::numbers::pi / 4;
  return {static_cast<float>(std::cos((1 - side) * quarter)),
          static_cast<float>(std::cos((1 + side) * quarter))};
}

}  // namespace

Mixer::Mixer(uint32_t outputRate) : outputRate_(outputRate) {}

void Mixer::SetVoiceCount(uint32_t count) { voices_.assign(std::min(count, MaxVoices), Voice{}); }

void Mixer::SetAmplification(uint32_t amplification) {
  amplification_ = static_cast<float>(amplification) / NominalAmplification;
}

void Mixer::SetMusicVolume(uint32_t volume) {
  musicGain_ = static_cast<float>(std::min(volume, FullVolume)) / FullVolume;
}

void Mixer::Play(uint32_t source, std::span<const int16_t> frames, uint32_t rate, uint32_t volume,
                 int32_t panning) {
  if (voices_.empty() || frames.empty() || rate == 0) return;
  Voice* voice = &voices_.front();
  for (Voice& candidate : voices_) {
    if (candidate.frames.empty()) {
      voice = &candidate;
      break;
    }
    if (candidate.order < voice->order) voice = &candidate;
  }

  const uint64_t step =
      std::max<uint64_t>(1, ((uint64_t{rate} << FractionBits) + outputRate_ / 2) / outputRate_);
  const float level = static_cast<float>(std::min(volume, FullVolume)) / FullVolume;
  *voice = Voice{};
  voice->source = source;
  voice->frames = frames;
  voice->step = step;
  // The last output frame is the last one whose position still lies inside.
  voice->duration = ((uint64_t{frames.size()} << FractionBits) + step - 1) / step;
  voice->order = ++started_;
  if (panning == EchoPanning) {
    const float centre = PanGains(0)[0];
    voice->delay = {uint64_t{EchoLeftMilliseconds} * outputRate_ / 1000,
                    uint64_t{EchoRightMilliseconds} * outputRate_ / 1000};
    voice->gain = {level * centre * EchoLevel, level * centre * EchoLevel};
  } else {
    const std::array<float, 2> pan = PanGains(panning);
    voice->gain = {level * pan[0], level * pan[1]};
  }
}

void Mixer::StopSource(uint32_t source) {
  for (Voice& voice : voices_) {
    if (voice.source == source) voice = Voice{};
  }
}

void Mixer::Mix(Voice& voice, std::array<float, 2>& sum) {
  for (size_t channel = 0; channel < 2; ++channel) {
    if (voice.elapsed < voice.delay[channel]) continue;
    const uint64_t played = voice.elapsed - voice.delay[channel];
    if (played >= voice.duration) continue;
    // Linear interpolation between the two frames around the position; the
    // last frame holds.
    const uint64_t position = played * voice.step;
    const size_t index = static_cast<size_t>(position >> FractionBits);
    const float fraction = static_cast<float>(position & FractionMask) * FractionScale;
    const float from = voice.frames[index];
    const float to = index + 1 < voice.frames.size() ? voice.frames[index + 1] : from;
    sum[channel] += (from + (to - from) * fraction) * voice.gain[channel];
  }
  ++voice.elapsed;
  if (voice.elapsed >= std::max(voice.delay[0], voice.delay[1]) + voice.duration) voice = Voice{};
}

void Mixer::Render(std::span<int16_t> out, std::span<const int16_t> music) {
  for (size_t frame = 0; frame + 1 < out.size(); frame += 2) {
    std::array<float, 2> sum{};
    if (!music.empty()) {
      sum = {music[frame] * musicGain_, music[frame + 1] * musicGain_};
    }
    for (Voice& voice : voices_) {
      if (!voice.frames.empty()) Mix(voice, sum);
    }
    for (size_t channel = 0; channel < 2; ++channel) {
      const float amplified = std::clamp(sum[channel] * amplification_, -32768.0f, 32767.0f);
      out[frame + channel] = static_cast<int16_t>(std::lround(amplified));
    }
  }
}

}  // namespace zorbulant
