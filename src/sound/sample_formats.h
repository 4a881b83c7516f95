// The sample file formats the sound library reads, decoded to mono 16-bit
// frames. A sample's playback rate is given when it is played, not taken from
// its file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zorbulant {

// One G.711 mu-law code as a 16-bit value (at most 32124 either way).
int16_t MuLawToLinear(uint8_t code);

// A ".ulw" file: headerless mu-law bytes, one per frame. Nothing when empty.
std::optional<std::vector<int16_t>> DecodeMuLaw(std::span<const uint8_t> bytes);

// A RIFF WAVE file of 8- or 16-bit PCM, mono or stereo; stereo is mixed down
// to mono. Nothing when the file is not such a file, is cut short or holds no
// frames.
std::optional<std::vector<int16_t>> DecodeWav(std::span<const uint8_t> bytes);

}  // namespace zorbulant
