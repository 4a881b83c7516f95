#include "support/mod_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace zorbulant::testing {

namespace {

constexpr size_t HeaderSize = 1084;
constexpr size_t PatternSize = 64 * 4 * 4;
constexpr double PalClock = 7093789.2;

void PutBig16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<uint8_t>(value);
}

}  // namespace

std::vector<uint8_t> WriteModule(const std::vector<int8_t>& sample,
                                 const std::vector<ModNote>& notes) {
  std::vector<uint8_t> bytes(HeaderSize + PatternSize, 0);
  const std::string title = "zorbulant test";
  std::copy(title.begin(), title.end(), bytes.begin());
  // Sample 1's header follows the 20-byte title; lengths count 16-bit words.
  const size_t header = 20;
  const uint32_t words = static_cast<uint32_t>(sample.size() / 2);
  PutBig16(bytes, header + 22, words);
  bytes[header + 24] = 0;   // finetune
  bytes[header + 25] = 64;  // volume
  PutBig16(bytes, header + 26, 0);
  PutBig16(bytes, header + 28, words);
  // Every other sample is empty, with the one-word loop that means "none".
  for (size_t other = 1; other < 31; ++other) PutBig16(bytes, header + other * 30 + 28, 1);
  bytes[950] = 1;    // song length: one position
  bytes[951] = 127;  // restart byte as ProTracker writes it
  bytes[952] = 0;    // position 0 plays pattern 0
  bytes[1080] = 'M';
  bytes[1081] = '.';
  bytes[1082] = 'K';
  bytes[1083] = '.';
  for (const ModNote& note : notes) {
    const size_t cell = HeaderSize + (note.row * 4u + note.channel) * 4u;
    const uint8_t instrument = note.period != 0 ? 1 : 0;
    bytes[cell] = static_cast<uint8_t>((instrument & 0xF0) | ((note.period >> 8) & 0x0F));
    bytes[cell + 1] = static_cast<uint8_t>(note.period);
    bytes[cell + 2] = static_cast<uint8_t>((instrument & 0x0F) << 4 | (note.effect & 0x0F));
    bytes[cell + 3] = note.parameter;
  }
  for (const int8_t value : sample) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

std::vector<uint8_t> WriteToneModule(uint16_t period, uint8_t rows) {
  std::vector<int8_t> sine(32);
  for (size_t i = 0; i < sine.size(); ++i) {
    sine[i] = static_cast<int8_t>(
        std::lround(100 * std::sin(2 * std::numbers::pi * static_cast<double>(i) / 32.0)));
  }
  // Effect D (pattern break) on the last row sends the song back to its start.
  return WriteModule(sine, {{0, 0, period, 0, 0}, {static_cast<uint8_t>(rows - 1), 1, 0, 0xD, 0}});
}

double ToneFrequency(uint16_t period, uint32_t cycleFrames) {
  return PalClock / (2.0 * period) / cycleFrames;
}

}  // namespace zorbulant::testing
