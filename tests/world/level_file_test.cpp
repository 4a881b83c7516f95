// Level files written in code and read in place: the header words and the
// object walk with its skips and its end.
#include "world/level_file.h"

#include <gtest/gtest.h>

#include "assets/file_loader.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

struct LevelFileTest : ::testing::Test {
  std::array<uint32_t, 32> Object(uint32_t type) {
    std::array<uint32_t, 32> record{};
    record[0] = type;
    return record;
  }
  std::vector<uint32_t> Walk(const LevelFileImage& image) {
    test.platform.files.Add("levelaaa.jmp", image.Bytes());
    LoadWholeFile(test.game, "levelaaa.jmp", regions::LevelFileLength, regions::LevelHeader);
    std::vector<uint32_t> visited;
    WalkLevelObjects(test.game.work, [&](uint32_t k) { visited.push_back(k); });
    return visited;
  }
  testing::TestGame test;
};

TEST_F(LevelFileTest, HeaderWordsStandAtTheirOffsets) {
  LevelFileImage image;
  image.missionTitle = "A Title Of 16 ch";
  image.musicName = "tune0001";
  image.heroStartX = 0x12345678;
  image.exitHeight = 77;
  const std::vector<uint8_t> bytes = image.Bytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16), "A Title Of 16 ch");
  EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 24), "tune0001");
  Walk(image);
  EXPECT_EQ(LevelWord(test.game.work, levelfile::HeroStartX), 0x12345678u);
  EXPECT_EQ(LevelWord(test.game.work, levelfile::ExitHeight), 77u);
  EXPECT_EQ(bytes.size(), 56u + 128u) << "the header and the end record";
}

TEST_F(LevelFileTest, WalkSkipsEmptyRecordsAndEndsAtSevenOrMore) {
  for (uint32_t end : {7u, 255u, 0xFFFFFFFFu}) {
    LevelFileImage image;
    image.objects = {Object(1), Object(0), Object(5), Object(end), Object(3)};
    EXPECT_EQ(Walk(image), (std::vector<uint32_t>{0, 2})) << end;
  }
}

TEST_F(LevelFileTest, ThirtyOneObjectsFillTheFileExactly) {
  LevelFileImage image;
  image.objects.assign(31, Object(6));
  EXPECT_EQ(image.Bytes().size(), 56u + 32 * 128u);
  EXPECT_EQ(Walk(image).size(), 31u);
  EXPECT_EQ(LevelWord(test.game.work, 4024), levelfile::EndOfObjects);
}

TEST_F(LevelFileTest, WithoutAnEndRecordTheWalkStopsAfterRecord31) {
  std::vector<uint8_t> bytes(regions::LevelFileLength, 0);
  for (uint32_t k = 0; k < 32; ++k) bytes[56 + 128 * k] = 2;
  test.platform.files.Add("levelaaa.jmp", bytes);
  LoadWholeFile(test.game, "levelaaa.jmp", regions::LevelFileLength, regions::LevelHeader);
  uint32_t count = 0;
  WalkLevelObjects(test.game.work, [&](uint32_t) { ++count; });
  EXPECT_EQ(count, 32u);
}

}  // namespace
}  // namespace zorbulant
