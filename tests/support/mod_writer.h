// ProTracker modules made for tests: one sample, looped over its whole
// length, and one pattern played in a loop.
#pragma once

#include <cstdint>
#include <vector>

namespace zorbulant::testing {

struct ModNote {
  uint8_t row = 0;      // 0 to 63
  uint8_t channel = 0;  // 0 to 3
  uint16_t period = 0;  // Amiga period; 428 is C-2, 0 keeps the playing note
  uint8_t effect = 0;
  uint8_t parameter = 0;
};

// `sample` must have an even, non-zero length of at most 131070 frames.
std::vector<uint8_t> WriteModule(const std::vector<int8_t>& sample,
                                 const std::vector<ModNote>& notes);

// A module that holds one note of a sine wave of 32 frames per cycle at
// `period`, going back to its start after `rows` rows.
std::vector<uint8_t> WriteToneModule(uint16_t period, uint8_t rows);

// The frequency a sample of `cycleFrames` frames per cycle sounds at `period`
// on a PAL Amiga.
double ToneFrequency(uint16_t period, uint32_t cycleFrames);

}  // namespace zorbulant::testing
