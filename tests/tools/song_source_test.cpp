// Compiling song sources: where each event lands in the patterns, the speed,
// the instruments, and the line every mistake is reported on.
#include "sounds/song_source.h"

#include <gtest/gtest.h>

namespace zorbulant::tools {
namespace {

const char* const SmallSong =
    "title Small Song\n"
    "speed 4\n"
    "instrument lead square cycle 32 decay 0.2 sustain 0.5 volume 40\n"
    "instrument hat noise decay 0.01 volume 20 note B-3\n"
    "pattern a\n"
    "1 @lead C-2:4 C#2 .:3 ^:8 | B-3:16 | A-1:32\n"
    "4 hat:16 | hat:16 |\n"
    "4 hat:32\n"
    "pattern b\n"
    "2 @lead C-3:64\n"
    "order b a\n"
    "order a\n";

Module Compile(const std::string& text) {
  Module module;
  std::string error;
  EXPECT_TRUE(CompileSong(text, module, error)) << error;
  return module;
}

TEST(SongSourceTest, EventsLandOnTheirRows) {
  const Module module = Compile(SmallSong);
  ASSERT_EQ(module.patterns.size(), 2u);
  const ModulePattern& a = module.patterns[0];
  EXPECT_EQ(a[0][0].period, NotePeriod(12));
  EXPECT_EQ(a[0][0].sample, 1);
  EXPECT_EQ(a[4][0].period, NotePeriod(13)) << "C-2:4 takes four rows";
  EXPECT_EQ(a[5][0].period, 0) << "the rest adds nothing";
  EXPECT_EQ(a[8][0].effect, EffectSetVolume) << "^ silences";
  EXPECT_EQ(a[8][0].parameter, 0);
  EXPECT_EQ(a[8][0].period, 0);
  EXPECT_EQ(a[16][0].period, NotePeriod(35));
  EXPECT_EQ(a[32][0].period, NotePeriod(9));
  for (int row : {0, 16, 32}) {
    EXPECT_EQ(a[row][3].period, NotePeriod(35)) << "the hat at its own note, row " << row;
    EXPECT_EQ(a[row][3].sample, 2);
  }
  EXPECT_EQ(a[48][3].period, 0);
  for (const auto& row : a) EXPECT_EQ(row[1].period, 0) << "channel 2 is not given in a";
  EXPECT_EQ(module.patterns[1][0][1].period, NotePeriod(24));
}

TEST(SongSourceTest, OrderTitleAndInstruments) {
  const Module module = Compile(SmallSong);
  EXPECT_EQ(module.title, "Small Song");
  EXPECT_EQ(module.order, (std::vector<uint8_t>{1, 0, 0}));
  ASSERT_EQ(module.samples.size(), 2u);
  EXPECT_EQ(module.samples[0].name, "lead");
  EXPECT_EQ(module.samples[0].volume, 40);
  EXPECT_EQ(module.samples[0].loopLength, 32u);
  EXPECT_EQ(module.samples[1].name, "hat");
  EXPECT_EQ(module.samples[1].loopLength, 0u);
}

TEST(SongSourceTest, TheSpeedOpensTheFirstPatternPlayed) {
  const Module module = Compile(SmallSong);
  // Pattern b plays first; its first channel is free for the effect.
  const ModuleCell& first = module.patterns[1][0][0];
  EXPECT_EQ(first.effect, EffectSetSpeed);
  EXPECT_EQ(first.parameter, 4);
  for (const auto& row : module.patterns[0]) {
    for (const ModuleCell& cell : row) EXPECT_NE(cell.effect, EffectSetSpeed);
  }
}

TEST(SongSourceTest, TheSpeedStepsAsideForASilence) {
  const Module module = Compile("instrument a square\npattern p\n1 ^:64\n2 @a C-2:64\norder p\n");
  EXPECT_EQ(module.patterns[0][0][0].effect, EffectSetVolume);
  EXPECT_EQ(module.patterns[0][0][1].effect, EffectSetSpeed);
  EXPECT_EQ(module.patterns[0][0][1].parameter, 6) << "the speed players start with";
}

struct BadSong {
  const char* text;
  const char* error;
};

void PrintTo(const BadSong& song, std::ostream* out) { *out << song.error; }

class SongSourceErrorTest : public ::testing::TestWithParam<BadSong> {};

TEST_P(SongSourceErrorTest, NamesTheLine) {
  Module module;
  std::string error;
  EXPECT_FALSE(CompileSong(GetParam().text, module, error));
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, SongSourceErrorTest,
    ::testing::Values(
        BadSong{"", "the song needs patterns and an order"},
        BadSong{"title a\ntitle b\n", "line 2: the song has one title of up to 20 characters"},
        BadSong{"speed 32\n", "line 1: the speed is 1 to 31 ticks a row"},
        BadSong{"instrument a\n", "line 1: an instrument is NAME WAVE followed by KEY VALUE pairs"},
        BadSong{"instrument a organ\n", "line 1: 'organ' is not a wave"},
        BadSong{"instrument C-2 square\n", "line 1: 'C-2' cannot name a new instrument"},
        BadSong{"instrument a square\ninstrument a saw\n",
                "line 2: 'a' cannot name a new instrument"},
        BadSong{"instrument a square cycle 31\n",
                "line 1: 'cycle 31' is not a valid instrument setting"},
        BadSong{"instrument a square volume 65\n",
                "line 1: 'volume 65' is not a valid instrument setting"},
        BadSong{"instrument a square note H-2\n",
                "line 1: 'note H-2' is not a valid instrument setting"},
        BadSong{"instrument k kick decay 0.1 sustain 0.5\n",
                "line 1: a drum must decay to silence"},
        BadSong{"1 .:64\n", "line 1: channel lines belong to a pattern; start one first"},
        BadSong{"pattern p\n1 @a\n", "line 2: 'a' is not an instrument"},
        BadSong{"instrument a square\npattern p\n1 C-2:64\n",
                "line 3: choose an instrument with @NAME before the first note"},
        BadSong{"instrument a square\npattern p\n1 @a E#2:64\n",
                "line 3: 'E#2' is neither a note nor an instrument with a note"},
        BadSong{"instrument a square\npattern p\n1 a:64\n",
                "line 3: 'a' is neither a note nor an instrument with a note"},
        BadSong{"pattern p\n1 .:0\n", "line 2: '.:0' has no valid row count"},
        BadSong{"pattern p\n1 .:60 .:5\n", "line 2: channel 1 runs past the pattern's end"},
        BadSong{"pattern p\n1 .:15 |\n", "line 2: a bar line at row 15 is not at the end of a bar"},
        BadSong{"pattern p\n1 .:63\norder p\n", "line 1: channel 1 fills 63 rows, not 64"},
        BadSong{"pattern p\npattern p\n", "line 2: a pattern needs one new name"},
        BadSong{"pattern p\n1 .:64\norder q\n", "line 3: 'q' is not a pattern"},
        BadSong{"pattern p\n1 .:64\npattern q\n1 .:64\norder p\n",
                "line 3: pattern 'q' is never played"},
        BadSong{"tempo 125\n", "line 1: unknown key 'tempo'"}));

}  // namespace
}  // namespace zorbulant::tools
