// The level samples' RIFF WAVE layout, byte by byte.
#include "sounds/wave_file.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbulant::tools {
namespace {

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

std::string Tag(const std::vector<uint8_t>& bytes, size_t at) {
  return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

TEST(WaveFileTest, HeaderDescribesSixteenBitMonoAtTheRate) {
  const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
  const std::vector<uint8_t> bytes = EncodeWave(11025, samples);
  ASSERT_EQ(bytes.size(), 44u + 2 * samples.size());
  EXPECT_EQ(Tag(bytes, 0), "RIFF");
  EXPECT_EQ(LittleEndian(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(Tag(bytes, 8), "WAVE");
  EXPECT_EQ(Tag(bytes, 12), "fmt ");
  EXPECT_EQ(LittleEndian(bytes, 16, 4), 16u);
  EXPECT_EQ(LittleEndian(bytes, 20, 2), 1u) << "integer PCM";
  EXPECT_EQ(LittleEndian(bytes, 22, 2), 1u) << "one channel";
  EXPECT_EQ(LittleEndian(bytes, 24, 4), 11025u);
  EXPECT_EQ(LittleEndian(bytes, 28, 4), 2 * 11025u) << "bytes a second";
  EXPECT_EQ(LittleEndian(bytes, 32, 2), 2u) << "bytes a frame";
  EXPECT_EQ(LittleEndian(bytes, 34, 2), 16u);
  EXPECT_EQ(Tag(bytes, 36), "data");
  EXPECT_EQ(LittleEndian(bytes, 40, 4), 2 * samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    EXPECT_EQ(static_cast<int16_t>(LittleEndian(bytes, 44 + 2 * i, 2)), samples[i]) << i;
  }
}

}  // namespace
}  // namespace zorbulant::tools
