// The songs' instruments: held notes loop their last cycle, decaying ones play
// once from a word of silence, and drums sound as drums.
#include "sounds/instrument_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zorbulant::tools {
namespace {

int Peak(const std::vector<int8_t>& data, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(static_cast<int>(data[i])));
  return peak;
}

TEST(InstrumentSynthTest, AHeldSquareIsOneLoopedCycle) {
  InstrumentRecipe recipe;
  recipe.wave = InstrumentWave::Square;
  recipe.cycle = 16;
  recipe.volume = 30;
  const ModuleSample sample = SynthesiseInstrument("organ", recipe, 1);
  EXPECT_EQ(sample.name, "organ");
  EXPECT_EQ(sample.volume, 30);
  ASSERT_EQ(sample.data.size(), 16u);
  EXPECT_EQ(sample.loopStart, 0u);
  EXPECT_EQ(sample.loopLength, 16u);
  for (size_t i = 0; i < 16; ++i) EXPECT_EQ(sample.data[i], i < 8 ? 127 : -127) << i;
}

TEST(InstrumentSynthTest, ADecayThatSettlesLoopsItsLastCycleAtTheSustain) {
  InstrumentRecipe recipe;
  recipe.wave = InstrumentWave::Saw;
  recipe.cycle = 32;
  recipe.halfLife = 0.1;
  recipe.sustain = 0.5;
  const ModuleSample sample = SynthesiseInstrument("lead", recipe, 1);
  const size_t size = sample.data.size();
  EXPECT_EQ(size % 32, 0u);
  EXPECT_GE(size, 8 * 0.1 * ReferenceRate()) << "eight half-lives to settle";
  EXPECT_EQ(sample.loopLength, 32u);
  EXPECT_EQ(sample.loopStart, size - 32);
  EXPECT_NEAR(Peak(sample.data, 0, 32), 127, 2);
  EXPECT_NEAR(Peak(sample.data, size - 32, size), 64, 2);
}

TEST(InstrumentSynthTest, ADecayToSilencePlaysOnceFromAWordOfSilence) {
  InstrumentRecipe recipe;
  recipe.wave = InstrumentWave::Triangle;
  recipe.halfLife = 0.05;
  const ModuleSample sample = SynthesiseInstrument("pluck", recipe, 1);
  EXPECT_EQ(sample.loopLength, 0u);
  EXPECT_EQ(sample.data.size() % 2, 0u);
  EXPECT_EQ(sample.data[0], 0);
  EXPECT_EQ(sample.data[1], 0);
  EXPECT_GT(Peak(sample.data, 2, 66), 120);
  EXPECT_LE(Peak(sample.data, sample.data.size() - 32, sample.data.size()), 1);
}

TEST(InstrumentSynthTest, TheBassIsRounderThanASaw) {
  InstrumentRecipe recipe;
  recipe.cycle = 64;
  recipe.wave = InstrumentWave::Saw;
  const ModuleSample saw = SynthesiseInstrument("saw", recipe, 1);
  recipe.wave = InstrumentWave::Bass;
  const ModuleSample bass = SynthesiseInstrument("bass", recipe, 1);
  const auto largestJump = [](const std::vector<int8_t>& data) {
    int jump = 0;
    for (size_t i = 0; i < data.size(); ++i) {
      jump = std::max(jump, std::abs(data[i] - data[(i + 1) % data.size()]));
    }
    return jump;
  };
  EXPECT_GT(largestJump(saw.data), 200) << "the saw drops in one step";
  EXPECT_LT(largestJump(bass.data), 60);
  EXPECT_EQ(Peak(bass.data, 0, 64), 127);
}

TEST(InstrumentSynthTest, NoiseFollowsItsSeed) {
  InstrumentRecipe recipe;
  recipe.wave = InstrumentWave::Noise;
  recipe.halfLife = 0.02;
  EXPECT_EQ(SynthesiseInstrument("hat", recipe, 7).data,
            SynthesiseInstrument("hat", recipe, 7).data);
  EXPECT_NE(SynthesiseInstrument("hat", recipe, 7).data,
            SynthesiseInstrument("hat", recipe, 8).data);
}

TEST(InstrumentSynthTest, TheKickFallsTowardsItsPitch) {
  InstrumentRecipe recipe;
  recipe.wave = InstrumentWave::Kick;
  recipe.cycle = 128;
  recipe.halfLife = 0.2;
  const ModuleSample kick = SynthesiseInstrument("kick", recipe, 1);
  const auto crossings = [&](size_t from, size_t to) {
    int count = 0;
    for (size_t i = from + 1; i < to; ++i) count += kick.data[i - 1] < 0 && kick.data[i] >= 0;
    return count;
  };
  const auto tenth = static_cast<size_t>(ReferenceRate() / 10);
  // 8287 / 128 = 65 Hz once the fall is over, and far higher at the start.
  EXPECT_NEAR(crossings(3 * tenth, 4 * tenth), 6.5, 1.5);
  EXPECT_GT(crossings(2, 2 + tenth / 2), 6);
}

}  // namespace
}  // namespace zorbulant::tools
