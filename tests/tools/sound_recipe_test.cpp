// Reading sound recipes: what each line sets, how curves run between their
// points, and the line every mistake is reported on.
#include "sounds/sound_recipe.h"

#include <gtest/gtest.h>

namespace zorbulant::tools {
namespace {

TEST(SoundRecipeTest, ReadsEveryKey) {
  const std::string text =
      "# a comment line\n"
      "rate 11025\n"
      "peak 0.5   # a comment after a value\n"
      "layer saw\n"
      "  start 0.25\n"
      "  pitch 0:200 0.1:400\n"
      "  vibrato 1.5 7\n"
      "  level 0:0 0.01:1 0.3:0\n"
      "  band 0:700\n"
      "  band 0:1200 0.2:2000\n"
      "  lowpass 0:3000\n"
      "layer noise\n"
      "  level 0:1 0.1:0\n";
  SoundRecipe recipe;
  std::string error;
  ASSERT_TRUE(ParseSoundRecipe(text, recipe, error)) << error;
  EXPECT_EQ(recipe.rate, 11025u);
  EXPECT_EQ(recipe.peak, 0.5);
  ASSERT_EQ(recipe.layers.size(), 2u);
  const SoundLayer& saw = recipe.layers[0];
  EXPECT_EQ(saw.wave, Wave::Saw);
  EXPECT_EQ(saw.start, 0.25);
  ASSERT_EQ(saw.pitch.size(), 2u);
  EXPECT_EQ(saw.pitch[1].time, 0.1);
  EXPECT_EQ(saw.pitch[1].value, 400);
  EXPECT_EQ(saw.vibratoSemitones, 1.5);
  EXPECT_EQ(saw.vibratoHz, 7);
  ASSERT_EQ(saw.level.size(), 3u);
  EXPECT_EQ(saw.level[2].time, 0.3);
  ASSERT_EQ(saw.bands.size(), 2u);
  EXPECT_EQ(saw.bands[1][1].value, 2000);
  ASSERT_EQ(saw.lowpass.size(), 1u);
  EXPECT_EQ(saw.lowpass[0].value, 3000);
  const SoundLayer& noise = recipe.layers[1];
  EXPECT_EQ(noise.wave, Wave::Noise);
  EXPECT_EQ(noise.start, 0);
  EXPECT_TRUE(noise.pitch.empty());
  EXPECT_TRUE(noise.bands.empty());
}

TEST(SoundRecipeTest, PeakHasADefault) {
  SoundRecipe recipe;
  std::string error;
  ASSERT_TRUE(ParseSoundRecipe("rate 8000\nlayer noise\nlevel 0:1 0.1:0\n", recipe, error))
      << error;
  EXPECT_EQ(recipe.peak, 0.9);
}

TEST(SoundRecipeTest, LoudnessRunsStraightAndFrequencyByEqualRatios) {
  const Curve curve = {{0, 100}, {1, 400}, {1, 50}, {2, 800}};
  EXPECT_DOUBLE_EQ(LinearAt(curve, 0.5), 250);
  EXPECT_DOUBLE_EQ(FrequencyAt(curve, 0.5), 200);
  EXPECT_DOUBLE_EQ(FrequencyAt(curve, 1.5), 200) << "a jump at 1 s starts the next stretch";
  EXPECT_DOUBLE_EQ(LinearAt(curve, 0), 100);
  EXPECT_DOUBLE_EQ(LinearAt(curve, 5), 800) << "the last value stays";
}

struct BadRecipe {
  const char* text;
  const char* error;
};

void PrintTo(const BadRecipe& recipe, std::ostream* out) { *out << recipe.error; }

class SoundRecipeErrorTest : public ::testing::TestWithParam<BadRecipe> {};

TEST_P(SoundRecipeErrorTest, NamesTheLine) {
  SoundRecipe recipe;
  std::string error;
  EXPECT_FALSE(ParseSoundRecipe(GetParam().text, recipe, error));
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, SoundRecipeErrorTest,
    ::testing::Values(
        BadRecipe{"layer noise\nlevel 0:1 1:0\n", "the recipe must begin with its rate"},
        BadRecipe{"rate 100\n", "line 1: one rate of 4000 to 48000 Hz is needed"},
        BadRecipe{"rate 8000\nrate 8000\n", "line 2: one rate of 4000 to 48000 Hz is needed"},
        BadRecipe{"rate 8000\n", "the recipe has no layer"},
        BadRecipe{"rate 8000\npeak 1\n", "line 2: the peak is a fraction above 0 and below 1"},
        BadRecipe{"rate 8000\nlevel 0:1\n", "line 2: 'level' belongs to a layer; start one first"},
        BadRecipe{"rate 8000\nlayer pulse\n",
                  "line 2: a layer is one of noise, sine, square, saw or triangle"},
        BadRecipe{"rate 8000\nlayer sine\nlevel 0:1 1:0\n",
                  "line 2: the layer needs a pitch curve"},
        BadRecipe{"rate 8000\nlayer noise\npitch 0:100\nlevel 0:1 1:0\n",
                  "line 2: noise has no pitch"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1\nlayer noise\nlevel 0:1 1:0\n",
                  "line 2: the layer needs a level curve that lasts some time"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1:0\nlevel 0:1 1:0\n",
                  "line 4: 'level' is given twice for the layer"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1-0\n",
                  "line 3: '1-0' is not a TIME:VALUE point"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0.1:1 1:0\n",
                  "line 3: points must start at time 0 and never go back in time"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 0.5:1 0.2:0\n",
                  "line 3: points must start at time 0 and never go back in time"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1.5 1:0\n", "line 3: '0:1.5' is out of range"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1:0\nband 0:4000\n",
                  "line 4: '0:4000' is out of range"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1:0\nband\n",
                  "line 4: 'band' needs at least one point"},
        BadRecipe{"rate 8000\nlayer sine\npitch 0:100\nvibrato 1\nlevel 0:1 1:0\n",
                  "line 4: vibrato takes a depth in semitones and a rate in Hz"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1:0\nstart -1\n",
                  "line 4: the start is a time in seconds"},
        BadRecipe{"rate 8000\nlayer noise\nlevel 0:1 1:0\nloudness 3\n",
                  "line 4: unknown key 'loudness'"}));

}  // namespace
}  // namespace zorbulant::tools
