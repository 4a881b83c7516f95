// A sound's recipe: the text in content/sounds/NAME.txt that the sample
// synthesiser renders. The format, line by line:
//
//   rate HZ            the rate the game plays the sound at; the sound is made
//                      for it (required, first)
//   peak FRACTION      the loudest point, as a fraction of full scale
//                      (optional, 0.9 when not given)
//   layer WAVE         starts a layer; WAVE is noise, sine, square, saw or
//                      triangle. The layers are added together.
//
// and, for the layer last started:
//
//   start SECONDS      when the layer begins (optional, 0)
//   level CURVE        its loudness, 0 to 1 (required); the layer ends at the
//                      curve's last point
//   pitch CURVE        its frequency in Hz (required, except for noise)
//   vibrato SEMITONES HZ   a sine wobble of the pitch, up and down
//   band CURVE         a resonant band-pass at the curve's frequency in Hz;
//                      several bands are added side by side, which is how the
//                      voices get their vowels
//   lowpass CURVE      a low-pass at the curve's frequency in Hz, after the bands
//
// A CURVE is a list of TIME:VALUE points, seconds from the layer's start, the
// first at 0 and none earlier than the one before; after the last point the
// value stays. Loudness runs straight from point to point, frequencies by equal
// ratios, the way the ear hears them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

struct CurvePoint {
  double time = 0;
  double value = 0;
};
using Curve = std::vector<CurvePoint>;

enum class Wave { Noise, Sine, Square, Saw, Triangle };

struct SoundLayer {
  Wave wave = Wave::Noise;
  double start = 0;
  Curve level;
  Curve pitch;
  double vibratoSemitones = 0;
  double vibratoHz = 0;
  std::vector<Curve> bands;
  Curve lowpass;
};

struct SoundRecipe {
  uint32_t rate = 0;
  double peak = 0.9;
  std::vector<SoundLayer> layers;
};

// False, with "line N: ..." in `error`, when the text is not a valid recipe.
bool ParseSoundRecipe(const std::string& text, SoundRecipe& recipe, std::string& error);

// The curve's value `time` seconds after the layer's start.
double LinearAt(const Curve& curve, double time);
double FrequencyAt(const Curve& curve, double time);

}  // namespace zorbulant::tools
