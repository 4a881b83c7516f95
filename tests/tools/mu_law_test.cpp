// The mu-law coder of the sample tool against G.711's own definition.
#include "sounds/mu_law.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace zorbulant::tools {
namespace {

struct Code {
  bool negative;
  int segment;  // 0 to 7
  int step;     // 0 to 15
};

// G.711 sends sign, segment and step inverted.
Code Split(uint8_t code) {
  const int bits = static_cast<uint8_t>(~code);
  return {(bits & 0x80) != 0, (bits >> 4) & 7, bits & 15};
}

// The value G.711 gives a code: (2 step + 33) 2^segment - 33 units of four.
int G711Value(uint8_t code) {
  const Code parts = Split(code);
  const int magnitude = ((2 * parts.step + 33) * (1 << parts.segment) - 33) * 4;
  return parts.negative ? -magnitude : magnitude;
}

// The width of a code's step: 2^segment units of eight.
int StepWidth(uint8_t code) { return 8 << Split(code).segment; }

TEST(MuLawCoderTest, KnownPoints) {
  EXPECT_EQ(EncodeMuLaw(0), 0xFF) << "silence is not a zero byte";
  EXPECT_EQ(DecodeMuLaw(0xFF), 0);
  EXPECT_EQ(DecodeMuLaw(0x80), 32124) << "the loudest positive code";
  EXPECT_EQ(DecodeMuLaw(0x00), -32124) << "the loudest negative code";
  EXPECT_EQ(EncodeMuLaw(32124), 0x80);
  EXPECT_EQ(EncodeMuLaw(-32124), 0x00);
  EXPECT_EQ(EncodeMuLaw(32767), 0x80) << "beyond the range clips to the last step";
  EXPECT_EQ(EncodeMuLaw(-32768), 0x00);
}

TEST(MuLawCoderTest, EveryCodeDecodesToItsG711Value) {
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(DecodeMuLaw(static_cast<uint8_t>(code)), G711Value(static_cast<uint8_t>(code)))
        << code;
  }
}

TEST(MuLawCoderTest, EveryCodeRoundTrips) {
  for (int code = 0; code < 256; ++code) {
    const auto original = static_cast<uint8_t>(code);
    // 0x7F is mu-law's negative zero, which codes back as the positive one.
    const uint8_t expected = original == 0x7F ? 0xFF : original;
    EXPECT_EQ(EncodeMuLaw(DecodeMuLaw(original)), expected) << code;
  }
}

TEST(MuLawCoderTest, EveryValueLandsWithinHalfAStepOfItsCode) {
  int previous = -32768;
  for (int value = -32768; value <= 32767; ++value) {
    const uint8_t code = EncodeMuLaw(static_cast<int16_t>(value));
    const int decoded = DecodeMuLaw(code);
    const int inRange = std::clamp(value, -32124, 32124);
    ASSERT_LE(std::abs(decoded - inRange), StepWidth(code) / 2) << value;
    ASSERT_GE(decoded, previous) << "louder values never get quieter codes, at " << value;
    previous = decoded;
  }
}

}  // namespace
}  // namespace zorbulant::tools
