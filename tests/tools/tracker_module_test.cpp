// The ProTracker writer: the note periods and the "M.K." layout, offset by
// offset, checked against the format's own description.
#include "sounds/tracker_module.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zorbulant::tools {
namespace {

uint32_t BigEndian16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::string Text(const std::vector<uint8_t>& bytes, size_t at, size_t size) {
  return std::string(bytes.begin() + at, bytes.begin() + at + size);
}

constexpr size_t SampleHeader(size_t slot) { return 20 + 30 * slot; }
constexpr size_t SongLength = 950;
constexpr size_t Order = 952;
constexpr size_t Signature = 1080;
constexpr size_t Patterns = 1084;
constexpr size_t PatternSize = 64 * 4 * 4;

TEST(NotePeriodTest, CTwoIsTheAmigasReference) {
  EXPECT_EQ(NotePeriod(12), 428);
  EXPECT_NEAR(ReferenceRate(), 8287, 1);
}

TEST(NotePeriodTest, EveryNoteIsInTuneWithCTwo) {
  const double reference = 3546895.0 / NotePeriod(12);
  for (int note = 0; note < NoteCount; ++note) {
    const double frequency = 3546895.0 / NotePeriod(note);
    const double cents = 1200 * std::log2(frequency / reference) - 100 * (note - 12);
    // Periods are whole numbers: each may be off by half of one.
    const double rounding = 1200 * std::log2(1 + 0.5 / NotePeriod(note));
    EXPECT_LE(std::abs(cents), rounding) << note;
    if (note > 0) {
      EXPECT_LT(NotePeriod(note), NotePeriod(note - 1)) << note;
    }
  }
  EXPECT_NEAR(NotePeriod(0), 2 * NotePeriod(12), 1) << "an octave doubles the period";
  EXPECT_NEAR(NotePeriod(24), NotePeriod(12) / 2.0, 1);
}

Module TwoSamplesThreePatterns() {
  Module module;
  module.title = "Test Song";
  ModuleSample once;
  once.name = "once";
  once.data = {0, 0, 10, -10};
  once.volume = 40;
  ModuleSample looped;
  looped.name = "looped";
  looped.data.assign(100, 5);
  looped.volume = 64;
  looped.loopStart = 60;
  looped.loopLength = 40;
  module.samples = {once, looped};
  module.patterns.resize(3);
  module.order = {0, 2, 1, 2};
  return module;
}

TEST(ModuleLayoutTest, HeaderFieldsSitAtTheirOffsets) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeModule(TwoSamplesThreePatterns(), bytes, error)) << error;
  EXPECT_EQ(Text(bytes, 0, 20), std::string("Test Song") + std::string(11, '\0'));

  EXPECT_EQ(Text(bytes, SampleHeader(0), 22), std::string("once") + std::string(18, '\0'));
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(0) + 22), 2u) << "four bytes are two words";
  EXPECT_EQ(bytes[SampleHeader(0) + 24], 0) << "finetune";
  EXPECT_EQ(bytes[SampleHeader(0) + 25], 40) << "volume";
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(0) + 26), 0u);
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(0) + 28), 1u) << "no loop repeats one word";

  EXPECT_EQ(Text(bytes, SampleHeader(1), 6), "looped");
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(1) + 22), 50u);
  EXPECT_EQ(bytes[SampleHeader(1) + 25], 64);
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(1) + 26), 30u) << "loop start in words";
  EXPECT_EQ(BigEndian16(bytes, SampleHeader(1) + 28), 20u) << "loop length in words";

  for (size_t slot = 2; slot < 31; ++slot) {
    EXPECT_EQ(BigEndian16(bytes, SampleHeader(slot) + 22), 0u) << "empty slot " << slot;
  }
  EXPECT_EQ(SampleHeader(31), SongLength);
  EXPECT_EQ(bytes[SongLength], 4);
  EXPECT_EQ(bytes[SongLength + 1], 127);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + Order, bytes.begin() + Order + 5),
            (std::vector<uint8_t>{0, 2, 1, 2, 0}));
  EXPECT_EQ(Text(bytes, Signature, 4), "M.K.");
}

TEST(ModuleLayoutTest, PatternsFollowTheOrderAndSamplesComeLast) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeModule(TwoSamplesThreePatterns(), bytes, error)) << error;
  // Three patterns, as the order's highest number says, then 4 + 100 bytes.
  ASSERT_EQ(bytes.size(), Patterns + 3 * PatternSize + 104);
  const size_t samples = Patterns + 3 * PatternSize;
  EXPECT_EQ(static_cast<int8_t>(bytes[samples + 3]), -10);
  EXPECT_EQ(static_cast<int8_t>(bytes[samples + 4]), 5);
}

TEST(ModuleLayoutTest, ACellSplitsItsSampleNumberAroundThePeriod) {
  Module module = TwoSamplesThreePatterns();
  module.samples.resize(20, module.samples[0]);
  // Row 5 of pattern 1, channel 2: sample 19 (0x13) at period 856 (0x358),
  // effect C with 0x20.
  module.patterns[1][5][2] = {856, 19, 0xC, 0x20};
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeModule(module, bytes, error)) << error;
  const size_t cell = Patterns + PatternSize + 5 * 16 + 2 * 4;
  EXPECT_EQ(bytes[cell], 0x13);
  EXPECT_EQ(bytes[cell + 1], 0x58);
  EXPECT_EQ(bytes[cell + 2], 0x3C);
  EXPECT_EQ(bytes[cell + 3], 0x20);
  EXPECT_EQ(bytes[cell - 4], 0) << "the cells around it stay empty";
  EXPECT_EQ(bytes[cell + 4], 0);
}

TEST(ModuleLayoutTest, RefusesWhatTheFormatCannotHold) {
  std::vector<uint8_t> bytes;
  std::string error;
  Module unplayed = TwoSamplesThreePatterns();
  unplayed.order = {0, 1};
  EXPECT_FALSE(EncodeModule(unplayed, bytes, error)) << "pattern 2 would be lost";

  Module odd = TwoSamplesThreePatterns();
  odd.samples[0].data.push_back(1);
  EXPECT_FALSE(EncodeModule(odd, bytes, error)) << "lengths are in words";

  Module longTitle = TwoSamplesThreePatterns();
  longTitle.title = "a title of more than twenty";
  EXPECT_FALSE(EncodeModule(longTitle, bytes, error));

  Module loopOutside = TwoSamplesThreePatterns();
  loopOutside.samples[1].loopLength = 60;
  EXPECT_FALSE(EncodeModule(loopOutside, bytes, error));

  Module missingSample = TwoSamplesThreePatterns();
  missingSample.patterns[0][0][0].sample = 3;
  EXPECT_FALSE(EncodeModule(missingSample, bytes, error));
}

}  // namespace
}  // namespace zorbulant::tools
