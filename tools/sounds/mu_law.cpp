#include "sounds/mu_law.h"

namespace zorbulant::tools {

namespace {

// The bias moves every magnitude up so that segment boundaries fall on powers
// of two; the clip keeps the biased value inside the eight segments.
constexpr int Bias = 0x84;
constexpr int Clip = 32635;

}  // namespace

uint8_t EncodeMuLaw(int16_t sample) {
  int magnitude = sample;
  uint8_t sign = 0;
  if (magnitude < 0) {
    magnitude = -magnitude;
    sign = 0x80;
  }
  if (magnitude > Clip) magnitude = Clip;
  magnitude += Bias;
  uint8_t segment = 7;
  while (segment > 0 && (magnitude & (0x80 << segment)) == 0) --segment;
  const auto step = static_cast<uint8_t>((magnitude >> (segment + 3)) & 0x0F);
  // Codes are sent inverted so that silence is not a run of zero bytes.
  return static_cast<uint8_t>(~(sign | (segment << 4) | step));
}

int16_t DecodeMuLaw(uint8_t code) {
  const uint8_t bits = static_cast<uint8_t>(~code);
  const int segment = (bits >> 4) & 0x07;
  const int step = bits & 0x0F;
  const int magnitude = (((step << 3) + Bias) << segment) - Bias;
  return static_cast<int16_t>((bits & 0x80) != 0 ? -magnitude : magnitude);
}

}  // namespace zorbulant::tools
