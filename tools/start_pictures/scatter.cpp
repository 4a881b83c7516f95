// Integer hashing for repeatable scatter and ridges.
#include "start_pictures/scatter.h"

#include <cmath>

namespace zorbulant::tools {

float Random(uint32_t n) {
  n ^= n >> 16;
  n *= 0x7feb352dU;
  n ^= n >> 15;
  n *= 0x846ca68bU;
  n ^= n >> 16;
  return static_cast<float>(n >> 8) / 16777216.0f;
}

namespace {

float RidgeHeight(uint32_t seed, uint32_t index) {
  return (Random(seed * 7919 + index) + static_cast<float>(index % 2)) / 2;
}

}  // namespace

float Ridge(uint32_t seed, float x, float spacing) {
  const float cell = x / spacing;
  const float whole = std::floor(cell);
  const float fraction = cell - whole;
  const auto index = static_cast<uint32_t>(static_cast<int32_t>(whole));
  const float from = RidgeHeight(seed, index);
  const float to = RidgeHeight(seed, index + 1);
  return from + (to - from) * fraction;
}

}  // namespace zorbulant::tools
