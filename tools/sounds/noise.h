// White noise from a fixed seed, so every build makes the same bytes.
#pragma once

#include <cstdint>

namespace zorbulant::tools {

class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 1) {}

  // The next value, evenly spread over [-1, 1).
  double Next() {
    // Marsaglia's xorshift: good enough for the ear, and the same everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483648.0 - 1.0;
  }

 private:
  uint32_t state_;
};

}  // namespace zorbulant::tools
