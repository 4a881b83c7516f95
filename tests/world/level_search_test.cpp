// Level codes and the level search over a directory with gaps.
#include "world/level_search.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

#include "support/test_platform.h"
#include "world/level_file.h"

namespace zorbulant {
namespace {

std::string Code(uint32_t level) {
  char letters[3];
  LevelCode(level, letters);
  return std::string(letters, 3);
}

TEST(LevelCode, LettersFromTheNumbersBits) {
  EXPECT_EQ(Code(0), "aaa");
  EXPECT_EQ(Code(1), "aab");
  EXPECT_EQ(Code(15), "aap");
  EXPECT_EQ(Code(16), "aba");
  EXPECT_EQ(Code(255), "app");
  EXPECT_EQ(Code(256), "baa");
  EXPECT_EQ(Code(300), "bcm");
}

struct LevelSearchTest : ::testing::Test {
  // Data files for the given levels, each titled with its own number.
  void Levels(std::initializer_list<uint32_t> numbers) {
    for (uint32_t n : numbers) {
      LevelFileImage image;
      image.missionTitle = "Mission " + std::to_string(n);
      test.platform.files.Add("level" + Code(n) + ".jmp", image.Bytes());
    }
  }
  uint32_t Search(uint32_t from, int32_t step) {
    test.game.level.LevelNumber = from;
    test.game.level.LevelSearchStep = step;
    FindLevel(test.game);
    return test.game.level.LevelNumber;
  }
  std::string Title() {
    return std::string(reinterpret_cast<const char*>(test.game.work.at(regions::LevelHeader)), 10);
  }

  testing::TestGame test;
};

TEST_F(LevelSearchTest, SkipsMissingNumbersInTheSearchsDirection) {
  Levels({0, 1, 3});
  EXPECT_EQ(Search(2, 1), 3u);
  EXPECT_EQ(Title(), "Mission 3\0"s.substr(0, 10));
  EXPECT_EQ(test.game.level.LastFoundLevel, 3u);
  EXPECT_EQ(Search(2, -1), 1u);
  EXPECT_EQ(test.game.level.LevelSearchStep, 1) << "a find sets the step back to +1";
  EXPECT_STREQ(test.game.level.LevelDataName, "levelaab.jmp");
  EXPECT_STREQ(test.game.level.LevelPictureName, "levelaab.gif");
  EXPECT_STREQ(test.game.level.LevelGraphicsName, "lvlgxaab.gif");
}

TEST_F(LevelSearchTest, DownwardsNeverTriesZeroUnlessItStartsThere) {
  Levels({1, 2});
  EXPECT_EQ(Search(1, -1), 1u);
  EXPECT_EQ(Search(3, -1), 2u);
  // From 0 downwards only 0 is tried, then the last found level is taken.
  EXPECT_EQ(Search(0, -1), 2u);
  EXPECT_EQ(Title().substr(0, 9), "Mission 2");
}

TEST_F(LevelSearchTest, FallsBackWithoutLoadingWhenNothingIsFound) {
  Levels({2, 3});
  test.game.level.LastFoundLevel = 3;
  std::fill_n(test.game.work.at(regions::LevelHeader), 16, uint8_t{'x'});
  EXPECT_EQ(Search(1, -1), 3u) << "1 is tried, 0 never, then the fallback";
  EXPECT_EQ(Title(), "xxxxxxxxxx") << "nothing was loaded";
  EXPECT_EQ(Search(1023, 1), 3u) << "1023 wraps to 0 and gives up";
}

TEST_F(LevelSearchTest, NoLevelsAtAllGiveTheFirstFallback) {
  EXPECT_EQ(Search(5, 1), 1u);
  EXPECT_STREQ(test.game.level.LevelDataName, "levelaaa.jmp") << "the names keep what they held";
}

TEST_F(LevelSearchTest, Level300IsLevelbcm) {
  Levels({300});
  EXPECT_EQ(Search(300, 1), 300u);
  EXPECT_STREQ(test.game.level.LevelDataName, "levelbcm.jmp");
}

}  // namespace
}  // namespace zorbulant
