// Mu-law and WAV sample decoding.
#include "sound/sample_formats.h"

namespace zorbulant {

namespace {

uint32_t Little16(std::span<const uint8_t> bytes, size_t at) {
  return bytes[at] | uint32_t{bytes[at + 1]} << 8;
}

uint32_t Little32(std::span<const uint8_t> bytes, size_t at) {
  return Little16(bytes, at) | Little16(bytes, at + 2) << 16;
}

bool HasTag(std::span<const uint8_t> bytes, size_t at, const char (&tag)[5]) {
  for (size_t i = 0; i < 4; ++i) {
    if (bytes[at + i] != static_cast<uint8_t>(tag[i])) return false;
  }
  return true;
}

struct PcmFormat {
  uint32_t channels = 0;
  uint32_t bits = 0;
};

constexpr uint32_t WavePcm = 1;

}  // namespace

int16_t MuLawToLinear(uint8_t code) {
  // Codes are stored inverted; the rest is sign, a 3-bit segment and a 4-bit
  // step within the segment, on a scale biased by 132 so that segments join.
  const uint8_t inverted = static_cast<uint8_t>(~code);
  const int32_t segment = (inverted >> 4) & 7;
  const int32_t magnitude = (((inverted & 0x0F) << 3) + 132) << segment;
  return static_cast<int16_t>((inverted & 0x80) ? 132 - magnitude : magnitude - 132);
}

std::optional<std::vector<int16_t>> DecodeMuLaw(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  std::vector<int16_t> frames;
  frames.reserve(bytes.size());
  for (const uint8_t code : bytes) frames.push_back(MuLawToLinear(code));
  return frames;
}

std::optional<std::vector<int16_t>> DecodeWav(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12 || !HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) {
    return std::nullopt;
  }
  std::optional<PcmFormat> format;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const size_t size = Little32(bytes, at + 4);
    const size_t body = at + 8;
    if (size > bytes.size() - body) return std::nullopt;
    if (HasTag(bytes, at, "fmt ")) {
      if (size < 16 || Little16(bytes, body) != WavePcm) return std::nullopt;
      const PcmFormat found{Little16(bytes, body + 2), Little16(bytes, body + 14)};
      const uint32_t blockAlign = Little16(bytes, body + 12);
      if ((found.channels != 1 && found.channels != 2) || (found.bits != 8 && found.bits != 16) ||
          blockAlign != found.channels * found.bits / 8) {
        return std::nullopt;
      }
      format = found;
    } else if (HasTag(bytes, at, "data")) {
      if (!format) return std::nullopt;
      const size_t frameBytes = format->channels * format->bits / 8;
      const size_t count = size / frameBytes;
      if (count == 0) return std::nullopt;
      std::vector<int16_t> frames(count);
      for (size_t frame = 0; frame < count; ++frame) {
        int32_t sum = 0;
        for (size_t channel = 0; channel < format->channels; ++channel) {
          const size_t sample = body + frame * frameBytes + channel * format->bits / 8;
          // 8-bit samples are unsigned around 128, 16-bit ones signed.
          sum += format->bits == 8 ? (bytes[sample] - 128) * 256
                                   : static_cast<int16_t>(Little16(bytes, sample));
        }
        frames[frame] = static_cast<int16_t>(sum / static_cast<int32_t>(format->channels));
      }
      return frames;
    }
    // Chunks are padded to an even length.
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

}  // namespace zorbulant
