// The sample formats: G.711 mu-law and RIFF WAVE PCM, and what makes a file
// fail to load.
#include "sound/sample_formats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zorbulant {
namespace {

// G.711's decoding rule in its own terms: a code holds sign, segment e and
// step m, inverted; its value is ((2m + 33) * 2^e - 33) units of 4.
int32_t G711Value(uint8_t code) {
  const uint8_t bits = static_cast<uint8_t>(~code);
  const int32_t segment = (bits >> 4) & 7;
  const int32_t step = bits & 15;
  const int32_t magnitude = ((2 * step + 33) * (1 << segment) - 33) * 4;
  return (bits & 0x80) ? -magnitude : magnitude;
}

TEST(MuLawTest, KnownPoints) {
  EXPECT_EQ(MuLawToLinear(0xFF), 0);
  EXPECT_EQ(MuLawToLinear(0x7F), 0) << "mu-law's negative zero";
  EXPECT_EQ(MuLawToLinear(0x80), 32124);
  EXPECT_EQ(MuLawToLinear(0x00), -32124);
  EXPECT_EQ(MuLawToLinear(0xFE), 8) << "the smallest step";
  EXPECT_EQ(MuLawToLinear(0xEF), 132) << "the first segment's end";
}

TEST(MuLawTest, EveryCodeFollowsG711) {
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(MuLawToLinear(static_cast<uint8_t>(code)), G711Value(static_cast<uint8_t>(code)))
        << code;
  }
}

TEST(MuLawTest, HalvesMirrorAndGrowTowardsTheLowCodes) {
  for (int code = 0x80; code < 0xFF; ++code) {
    const auto value = MuLawToLinear(static_cast<uint8_t>(code));
    EXPECT_EQ(MuLawToLinear(static_cast<uint8_t>(code & 0x7F)), -value) << code;
    EXPECT_GT(value, MuLawToLinear(static_cast<uint8_t>(code + 1))) << code;
  }
}

TEST(MuLawTest, FilesDecodeByteByByteAndEmptyFilesFail) {
  const std::vector<uint8_t> bytes{0xFF, 0x80, 0x00, 0xFE};
  const auto frames = DecodeMuLaw(bytes);
  ASSERT_TRUE(frames);
  ASSERT_EQ(frames->size(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ((*frames)[i], MuLawToLinear(bytes[i]));
  EXPECT_FALSE(DecodeMuLaw({}));
}

// A WAVE file put together field by field.
struct WavFile {
  uint16_t format = 1;
  uint16_t channels = 1;
  uint16_t bits = 16;
  std::vector<uint8_t> data;
  std::vector<uint8_t> before;   // chunks before "fmt "
  std::vector<uint8_t> between;  // chunks between "fmt " and "data"
  bool dataFirst = false;
  int32_t dataSizeError = 0;  // added to the data chunk's stated size
  uint16_t blockAlignError = 0;

  static void Put(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  static void Tag(std::vector<uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(tag[i]));
  }
  static std::vector<uint8_t> Chunk(const char* tag, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> bytes;
    Tag(bytes, tag);
    Put(bytes, static_cast<uint32_t>(body.size()), 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2) bytes.push_back(0);
    return bytes;
  }

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> fmt;
    Put(fmt, format, 2);
    Put(fmt, channels, 2);
    Put(fmt, 11025, 4);
    Put(fmt, 11025u * channels * bits / 8, 4);
    Put(fmt, channels * bits / 8 + blockAlignError, 2);
    Put(fmt, bits, 2);
    std::vector<uint8_t> dataChunk;
    Tag(dataChunk, "data");
    Put(dataChunk, static_cast<uint32_t>(static_cast<int32_t>(data.size()) + dataSizeError), 4);
    dataChunk.insert(dataChunk.end(), data.begin(), data.end());
    std::vector<uint8_t> body;
    Tag(body, "WAVE");
    body.insert(body.end(), before.begin(), before.end());
    const std::vector<uint8_t> fmtChunk = Chunk("fmt ", fmt);
    if (dataFirst) body.insert(body.end(), dataChunk.begin(), dataChunk.end());
    body.insert(body.end(), fmtChunk.begin(), fmtChunk.end());
    body.insert(body.end(), between.begin(), between.end());
    if (!dataFirst) body.insert(body.end(), dataChunk.begin(), dataChunk.end());
    std::vector<uint8_t> bytes;
    Tag(bytes, "RIFF");
    Put(bytes, static_cast<uint32_t>(body.size()), 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
  }
};

std::vector<uint8_t> Samples16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> bytes;
  for (const int16_t value : values) WavFile::Put(bytes, static_cast<uint16_t>(value), 2);
  return bytes;
}

TEST(WavTest, EightBitSamplesAreUnsignedAroundTheMiddle) {
  WavFile wav;
  wav.bits = 8;
  wav.data = {128, 255, 0, 129};
  const auto frames = DecodeWav(wav.Bytes());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, (std::vector<int16_t>{0, 127 * 256, -128 * 256, 256}));
}

TEST(WavTest, SixteenBitSamplesAreSignedLittleEndian) {
  const std::vector<int16_t> values{0, 32767, -32768, 1234, -2};
  WavFile wav;
  wav.data = Samples16(values);
  const auto frames = DecodeWav(wav.Bytes());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, values);
}

TEST(WavTest, StereoIsMixedDownToMono) {
  WavFile wide;
  wide.channels = 2;
  wide.data = Samples16({1000, 3000, -32768, -32768, 32767, -32768});
  const auto frames = DecodeWav(wide.Bytes());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, (std::vector<int16_t>{2000, -32768, 0}));

  WavFile narrow;
  narrow.channels = 2;
  narrow.bits = 8;
  narrow.data = {255, 1, 138, 148};
  const auto eight = DecodeWav(narrow.Bytes());
  ASSERT_TRUE(eight);
  EXPECT_EQ(*eight, (std::vector<int16_t>{0, 15 * 256}));
}

TEST(WavTest, OtherChunksAreSkippedWithTheirPadding) {
  WavFile wav;
  wav.before = WavFile::Chunk("LIST", {1, 2, 3});  // odd: one pad byte follows
  wav.between = WavFile::Chunk("fact", {4, 0, 0, 0});
  wav.data = Samples16({7, -7});
  const auto frames = DecodeWav(wav.Bytes());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, (std::vector<int16_t>{7, -7}));
}

TEST(WavTest, ATrailingPartialFrameIsDropped) {
  WavFile wav;
  wav.channels = 2;
  wav.data = Samples16({100, 300, 5});
  const auto frames = DecodeWav(wav.Bytes());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, (std::vector<int16_t>{200}));
}

TEST(WavTest, FilesThatAreNotPcmWaveFail) {
  const std::vector<uint8_t> good = [] {
    WavFile wav;
    wav.data = Samples16({1, 2});
    return wav.Bytes();
  }();
  ASSERT_TRUE(DecodeWav(good));

  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  EXPECT_FALSE(DecodeWav(notRiff));
  std::vector<uint8_t> notWave = good;
  notWave[8] = 'X';
  EXPECT_FALSE(DecodeWav(notWave));
  EXPECT_FALSE(DecodeWav(std::vector<uint8_t>(good.begin(), good.begin() + 11)));
  const std::string text = "this is no sound file at all";
  EXPECT_FALSE(DecodeWav(std::vector<uint8_t>(text.begin(), text.end())));

  auto fails = [](auto change) {
    WavFile wav;
    wav.data = Samples16({1, 2});
    change(wav);
    return !DecodeWav(wav.Bytes());
  };
  EXPECT_TRUE(fails([](WavFile& w) { w.format = 3; })) << "floating point";
  EXPECT_TRUE(fails([](WavFile& w) { w.bits = 24; }));
  EXPECT_TRUE(fails([](WavFile& w) { w.bits = 12; }));
  EXPECT_TRUE(fails([](WavFile& w) { w.channels = 3; }));
  EXPECT_TRUE(fails([](WavFile& w) { w.channels = 0; }));
  EXPECT_TRUE(fails([](WavFile& w) { w.blockAlignError = 1; }));
  EXPECT_TRUE(fails([](WavFile& w) { w.dataFirst = true; })) << "data before its format";
  EXPECT_TRUE(fails([](WavFile& w) { w.data.clear(); })) << "no frames";
  EXPECT_TRUE(fails([](WavFile& w) { w.data.resize(1); })) << "less than one frame";
}

TEST(WavTest, TruncatedFilesFail) {
  WavFile wav;
  wav.data = Samples16({1, 2, 3, 4});
  const std::vector<uint8_t> bytes = wav.Bytes();
  // Cut anywhere: in the header, in the format, in the data.
  for (size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(DecodeWav(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length))) << length;
  }
  wav.dataSizeError = 2;
  EXPECT_FALSE(DecodeWav(wav.Bytes())) << "data stated longer than the file";
}

TEST(WavTest, AFileWithoutDataFails) {
  WavFile wav;
  std::vector<uint8_t> bytes = wav.Bytes();
  bytes.resize(bytes.size() - 8);  // drop the empty data chunk's header
  EXPECT_FALSE(DecodeWav(bytes));
}

}  // namespace
}  // namespace zorbulant
