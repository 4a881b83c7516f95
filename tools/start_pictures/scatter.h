// Repeatable randomness for the painted scenes: the same picture every build.
#pragma once

#include <cstdint>

namespace zorbulant::tools {

// 0 to 1, the same for the same n.
float Random(uint32_t n);

// A jagged line: straight runs between heights set every `spacing` pixels,
// high (0.5 to 1) and low (0 to 0.5) by turns, so each run is a real slope.
float Ridge(uint32_t seed, float x, float spacing);

}  // namespace zorbulant::tools
