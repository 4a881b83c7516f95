// Whole-file loads into work-block regions.
#include "assets/file_loader.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/test_platform.h"

namespace zorbulant {
namespace {

std::vector<uint8_t> Bytes(size_t count, uint8_t first) {
  std::vector<uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

struct FileLoaderTest : ::testing::Test {
  void FillHeader(uint8_t value) {
    std::fill_n(test.game.work.at(regions::LevelHeader), regions::LevelHeader.size, value);
  }
  const uint8_t* Header() { return test.game.work.at(regions::LevelHeader); }

  testing::TestGame test;
};

TEST_F(FileLoaderTest, LevelFileOfExactLengthIsReadWhole) {
  test.platform.files.Add("levelaaa.jmp", Bytes(4132, 1));
  FillHeader(0xEE);
  EXPECT_TRUE(
      LoadWholeFile(test.game, "levelaaa.jmp", regions::LevelFileLength, regions::LevelHeader));
  EXPECT_EQ(Header()[0], 1);
  EXPECT_EQ(Header()[4131], static_cast<uint8_t>(4132));
  EXPECT_EQ(Header()[4132], 0xEE) << "the last 20 bytes of the region are never filled";
  EXPECT_EQ(test.platform.files.OpenCount(), 0u) << "the file is closed again";
}

TEST_F(FileLoaderTest, LongerFileIsCutShorterFileKeepsTheRest) {
  test.platform.files.Add("long.jmp", Bytes(5000, 1));
  FillHeader(0xEE);
  LoadWholeFile(test.game, "long.jmp", regions::LevelFileLength, regions::LevelHeader);
  EXPECT_EQ(Header()[4131], static_cast<uint8_t>(4132));
  EXPECT_EQ(Header()[4132], 0xEE);

  test.platform.files.Add("short.jmp", Bytes(1000, 9));
  LoadWholeFile(test.game, "short.jmp", regions::LevelFileLength, regions::LevelHeader);
  EXPECT_EQ(Header()[999], static_cast<uint8_t>(1008));
  EXPECT_EQ(Header()[1000], static_cast<uint8_t>(1001)) << "left over from the longer file";
  EXPECT_EQ(Header()[4131], static_cast<uint8_t>(4132));
}

TEST_F(FileLoaderTest, MissingFileFailsAndChangesNothing) {
  FillHeader(0xEE);
  EXPECT_FALSE(
      LoadWholeFile(test.game, "levelzzz.jmp", regions::LevelFileLength, regions::LevelHeader));
  EXPECT_EQ(Header()[0], 0xEE);
}

TEST_F(FileLoaderTest, NeverWritesPastTheRegion) {
  test.platform.files.Add("big", Bytes(10000, 0));
  uint8_t* after = test.game.work.at(regions::CarriedItemA);
  after[0] = 0x5A;
  LoadWholeFile(test.game, "big", 10000, regions::LevelHeader);
  EXPECT_EQ(after[0], 0x5A);
}

}  // namespace
}  // namespace zorbulant
