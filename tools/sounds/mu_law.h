// G.711 mu-law: the 8-bit sample coding of the game's ".ulw" files.
#pragma once

#include <cstdint>

namespace zorbulant::tools {

// Codes a 16-bit linear sample; magnitudes beyond the coding's range are
// clipped to its largest step.
uint8_t EncodeMuLaw(int16_t sample);

// The 16-bit linear value a code stands for: the middle of its step.
int16_t DecodeMuLaw(uint8_t code);

}  // namespace zorbulant::tools
