#include "sounds/sample_file.h"

#include <cmath>

#include "sounds/mu_law.h"
#include "sounds/sound_synth.h"
#include "sounds/wave_file.h"

namespace zorbulant::tools {

bool MakeSampleFile(const std::string& recipeText, const std::string& outputName,
                    std::vector<uint8_t>& bytes, std::string& error) {
  const auto endsWith = [&](const std::string& ending) {
    return outputName.size() >= ending.size() &&
           outputName.compare(outputName.size() - ending.size(), ending.size(), ending) == 0;
  };
  const bool muLaw = endsWith(".ulw");
  if (!muLaw && !endsWith(".wav")) {
    error = "'" + outputName + "' ends neither in .ulw nor in .wav";
    return false;
  }
  SoundRecipe recipe;
  std::vector<double> samples;
  if (!ParseSoundRecipe(recipeText, recipe, error) || !RenderSound(recipe, samples, error)) {
    return false;
  }
  std::vector<int16_t> linear;
  linear.reserve(samples.size());
  for (double value : samples) linear.push_back(static_cast<int16_t>(std::lround(value * 32767)));
  if (!muLaw) {
    bytes = EncodeWave(recipe.rate, linear);
    return true;
  }
  bytes.clear();
  for (int16_t value : linear) bytes.push_back(EncodeMuLaw(value));
  return true;
}

}  // namespace zorbulant::tools
