#include "sounds/sound_recipe.h"

#include <cmath>

#include "sounds/source_text.h"

namespace zorbulant::tools {

namespace {

bool ParseWave(const std::string& word, Wave& wave) {
  static constexpr struct {
    const char* name;
    Wave wave;
  } Waves[] = {{"noise", Wave::Noise},
               {"sine", Wave::Sine},
               {"square", Wave::Square},
               {"saw", Wave::Saw},
               {"triangle", Wave::Triangle}};
  for (const auto& [name, value] : Waves) {
    if (word == name) {
      wave = value;
      return true;
    }
  }
  return false;
}

// Levels run from 0 to 1; frequencies from 1 Hz to just below half the rate,
// above which a frequency cannot be represented.
enum class CurveKind { Level, Frequency };

bool InRange(CurveKind kind, double value, uint32_t rate) {
  return kind == CurveKind::Level ? value >= 0 && value <= 1 : value >= 1 && value < rate / 2.0;
}

// Reads the TIME:VALUE points after the key.
bool ParseCurve(const SourceLine& line, CurveKind kind, uint32_t rate, Curve& curve,
                std::string& error) {
  curve.clear();
  for (size_t i = 1; i < line.words.size(); ++i) {
    const std::string& word = line.words[i];
    const size_t colon = word.find(':');
    CurvePoint point;
    if (colon == std::string::npos || !ParseNumber(word.substr(0, colon), point.time) ||
        !ParseNumber(word.substr(colon + 1), point.value)) {
      error = LineError(line, "'" + word + "' is not a TIME:VALUE point");
      return false;
    }
    if (curve.empty() ? point.time != 0 : point.time < curve.back().time) {
      error = LineError(line, "points must start at time 0 and never go back in time");
      return false;
    }
    if (!InRange(kind, point.value, rate)) {
      error = LineError(line, "'" + word + "' is out of range");
      return false;
    }
    curve.push_back(point);
  }
  if (curve.empty()) {
    error = LineError(line, "'" + line.words[0] + "' needs at least one point");
    return false;
  }
  return true;
}

// A curve that a layer has at most once.
bool ParseSingleCurve(const SourceLine& line, CurveKind kind, uint32_t rate, Curve& curve,
                      std::string& error) {
  if (!curve.empty()) {
    error = LineError(line, "'" + line.words[0] + "' is given twice for the layer");
    return false;
  }
  return ParseCurve(line, kind, rate, curve, error);
}

// One of the lines that describe the layer last started.
bool ParseLayerLine(const SourceLine& line, uint32_t rate, SoundLayer& layer, std::string& error) {
  const std::string& key = line.words[0];
  const size_t values = line.words.size() - 1;
  if (key == "start") {
    if (values != 1 || !ParseNumber(line.words[1], layer.start) || layer.start < 0) {
      error = LineError(line, "the start is a time in seconds");
      return false;
    }
    return true;
  }
  if (key == "vibrato") {
    if (values != 2 || !ParseNumber(line.words[1], layer.vibratoSemitones) ||
        !ParseNumber(line.words[2], layer.vibratoHz) || layer.vibratoSemitones <= 0 ||
        layer.vibratoHz <= 0) {
      error = LineError(line, "vibrato takes a depth in semitones and a rate in Hz");
      return false;
    }
    return true;
  }
  if (key == "band") {
    layer.bands.emplace_back();
    return ParseCurve(line, CurveKind::Frequency, rate, layer.bands.back(), error);
  }
  if (key == "level") return ParseSingleCurve(line, CurveKind::Level, rate, layer.level, error);
  if (key == "pitch") return ParseSingleCurve(line, CurveKind::Frequency, rate, layer.pitch, error);
  if (key == "lowpass") {
    return ParseSingleCurve(line, CurveKind::Frequency, rate, layer.lowpass, error);
  }
  error = LineError(line, "unknown key '" + key + "'");
  return false;
}

bool CheckLayer(const SoundLayer& layer, const SourceLine& line, std::string& error) {
  if (layer.level.size() < 2 || layer.level.back().time <= 0) {
    error = LineError(line, "the layer needs a level curve that lasts some time");
    return false;
  }
  if ((layer.wave == Wave::Noise) != layer.pitch.empty()) {
    error = LineError(
        line, layer.wave == Wave::Noise ? "noise has no pitch" : "the layer needs a pitch curve");
    return false;
  }
  return true;
}

}  // namespace

bool ParseSoundRecipe(const std::string& text, SoundRecipe& recipe, std::string& error) {
  recipe = SoundRecipe{};
  const std::vector<SourceLine> lines = SplitSourceLines(text);
  if (lines.empty() || lines[0].words[0] != "rate") {
    error = "the recipe must begin with its rate";
    return false;
  }
  const SourceLine* layerLine = nullptr;
  for (const SourceLine& line : lines) {
    const std::string& key = line.words[0];
    const size_t values = line.words.size() - 1;
    double number = 0;
    const bool oneNumber = values == 1 && ParseNumber(line.words[1], number);
    if (key == "rate") {
      if (recipe.rate != 0 || !oneNumber || number != std::floor(number) || number < 4000 ||
          number > 48000) {
        error = LineError(line, "one rate of 4000 to 48000 Hz is needed");
        return false;
      }
      recipe.rate = static_cast<uint32_t>(number);
    } else if (key == "peak") {
      if (!oneNumber || number <= 0 || number >= 1) {
        error = LineError(line, "the peak is a fraction above 0 and below 1");
        return false;
      }
      recipe.peak = number;
    } else if (key == "layer") {
      if (layerLine != nullptr && !CheckLayer(recipe.layers.back(), *layerLine, error)) {
        return false;
      }
      SoundLayer layer;
      if (values != 1 || !ParseWave(line.words[1], layer.wave)) {
        error = LineError(line, "a layer is one of noise, sine, square, saw or triangle");
        return false;
      }
      recipe.layers.push_back(layer);
      layerLine = &line;
    } else if (layerLine == nullptr) {
      error = LineError(line, "'" + key + "' belongs to a layer; start one first");
      return false;
    } else if (!ParseLayerLine(line, recipe.rate, recipe.layers.back(), error)) {
      return false;
    }
  }
  if (layerLine == nullptr) {
    error = "the recipe has no layer";
    return false;
  }
  return CheckLayer(recipe.layers.back(), *layerLine, error);
}

double LinearAt(const Curve& curve, double time) {
  for (size_t i = 1; i < curve.size(); ++i) {
    const CurvePoint& from = curve[i - 1];
    const CurvePoint& to = curve[i];
    if (time < to.time) {
      return from.value + (to.value - from.value) * (time - from.time) / (to.time - from.time);
    }
  }
  return curve.back().value;
}

double FrequencyAt(const Curve& curve, double time) {
  for (size_t i = 1; i < curve.size(); ++i) {
    const CurvePoint& from = curve[i - 1];
    const CurvePoint& to = curve[i];
    if (time < to.time) {
      const double part = (time - from.time) / (to.time - from.time);
      return from.value * std::pow(to.value / from.value, part);
    }
  }
  return curve.back().value;
}

}  // namespace zorbulant::tools
