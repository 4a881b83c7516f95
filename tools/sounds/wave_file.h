// RIFF WAVE files of 16-bit mono PCM, the form of the level samples.
#pragma once

#include <cstdint>
#include <vector>

namespace zorbulant::tools {

std::vector<uint8_t> EncodeWave(uint32_t rate, const std::vector<int16_t>& samples);

}  // namespace zorbulant::tools
