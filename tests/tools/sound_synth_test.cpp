// Rendering recipes: pitch, timing, the filters and the final scaling, measured
// on the samples that come out.
#include "sounds/sound_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zorbulant::tools {
namespace {

std::vector<double> Render(const std::string& text) {
  SoundRecipe recipe;
  std::string error;
  EXPECT_TRUE(ParseSoundRecipe(text, recipe, error)) << error;
  std::vector<double> samples;
  EXPECT_TRUE(RenderSound(recipe, samples, error)) << error;
  return samples;
}

int RisingZeroCrossings(const std::vector<double>& samples, size_t from, size_t to) {
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i) crossings += samples[i - 1] < 0 && samples[i] >= 0;
  return crossings;
}

double Peak(const std::vector<double>& samples) {
  double peak = 0;
  for (double value : samples) peak = std::max(peak, std::abs(value));
  return peak;
}

// How much a signal moves from one sample to the next, against its size: high
// for bright sounds, low for dark ones.
double Brightness(const std::vector<double>& samples) {
  double change = 0;
  double size = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    change += std::abs(samples[i] - samples[i - 1]);
    size += std::abs(samples[i]);
  }
  return change / size;
}

TEST(SoundSynthTest, ASineSoundsAtItsPitchForItsLength) {
  const std::vector<double> samples =
      Render("rate 8000\nlayer sine\npitch 0:500\nlevel 0:1 0.5:1\n");
  ASSERT_EQ(samples.size(), 4000u);
  EXPECT_NEAR(RisingZeroCrossings(samples, 0, samples.size()), 250, 1);
}

TEST(SoundSynthTest, APitchSweepEndsAtItsLastFrequency) {
  const std::vector<double> samples =
      Render("rate 8000\nlayer square\npitch 0:1000 0.5:250 1:250\nlevel 0:1 1:1\n");
  EXPECT_NEAR(RisingZeroCrossings(samples, 4000, 8000), 125, 1);
  EXPECT_GT(RisingZeroCrossings(samples, 0, 4000), 150) << "the first half sweeps down from 1 kHz";
}

TEST(SoundSynthTest, LayersStartLateAndTheSoundLastsUntilTheLastEnds) {
  const std::vector<double> samples = Render(
      "rate 8000\nlayer sine\npitch 0:400\nlevel 0:1 0.1:1\n"
      "layer sine\nstart 0.25\npitch 0:400\nlevel 0:1 0.1:1\n");
  ASSERT_EQ(samples.size(), 2800u);
  EXPECT_EQ(Peak({samples.begin() + 900, samples.begin() + 1990}), 0) << "the gap between them";
  EXPECT_GT(Peak({samples.begin() + 2100, samples.end()}), 0.5);
}

TEST(SoundSynthTest, TheLoudestSampleIsThePeak) {
  const std::vector<double> samples =
      Render("rate 8000\npeak 0.6\nlayer noise\nlevel 0:0.01 0.2:0.01\n");
  EXPECT_DOUBLE_EQ(Peak(samples), 0.6);
}

TEST(SoundSynthTest, TheLevelShapesTheLoudness) {
  const std::vector<double> samples = Render("rate 8000\nlayer noise\nlevel 0:1 1:0\n");
  const double early = Peak({samples.begin(), samples.begin() + 800});
  const double late = Peak({samples.end() - 800, samples.end()});
  EXPECT_GT(early, 0.8);
  EXPECT_LT(late, 0.15);
}

TEST(SoundSynthTest, ALowpassDarkensNoise) {
  const std::vector<double> plain = Render("rate 8000\nlayer noise\nlevel 0:1 0.5:1\n");
  const std::vector<double> dark =
      Render("rate 8000\nlayer noise\nlevel 0:1 0.5:1\nlowpass 0:200\n");
  EXPECT_GT(Brightness(plain), 4 * Brightness(dark));
}

TEST(SoundSynthTest, ABandTurnsNoiseIntoATone) {
  const std::vector<double> samples =
      Render("rate 8000\nlayer noise\nlevel 0:1 1:1\nband 0:1000\n");
  // Narrow-band noise crosses zero about as often as a tone of its centre.
  EXPECT_NEAR(RisingZeroCrossings(samples, 0, samples.size()), 1000, 100);
}

TEST(SoundSynthTest, NoiseIsTheSameEveryTime) {
  const std::string text =
      "rate 8000\nlayer noise\nlevel 0:1 0.2:0\nlayer noise\nlevel 0:1 0.2:0\n";
  EXPECT_EQ(Render(text), Render(text));
}

TEST(SoundSynthTest, SilenceIsAnError) {
  SoundRecipe recipe;
  std::string error;
  ASSERT_TRUE(ParseSoundRecipe("rate 8000\nlayer noise\nlevel 0:0 0.2:0\n", recipe, error));
  std::vector<double> samples;
  EXPECT_FALSE(RenderSound(recipe, samples, error));
  EXPECT_EQ(error, "the recipe renders to silence");
}

}  // namespace
}  // namespace zorbulant::tools
