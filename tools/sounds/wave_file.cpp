#include "sounds/wave_file.h"

#include <string_view>

namespace zorbulant::tools {

namespace {

void PutTag(std::vector<uint8_t>& bytes, std::string_view tag) {
  bytes.insert(bytes.end(), tag.begin(), tag.end());
}

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeWave(uint32_t rate, const std::vector<int16_t>& samples) {
  constexpr uint32_t BytesPerSample = 2;
  const auto dataSize = static_cast<uint32_t>(samples.size() * BytesPerSample);
  std::vector<uint8_t> bytes;
  PutTag(bytes, "RIFF");
  PutLittleEndian(bytes, 36 + dataSize, 4);  // the rest of the file after this field
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  PutLittleEndian(bytes, 16, 4);
  PutLittleEndian(bytes, 1, 2);  // integer PCM
  PutLittleEndian(bytes, 1, 2);  // mono
  PutLittleEndian(bytes, rate, 4);
  PutLittleEndian(bytes, rate * BytesPerSample, 4);
  PutLittleEndian(bytes, BytesPerSample, 2);
  PutLittleEndian(bytes, 16, 2);
  PutTag(bytes, "data");
  PutLittleEndian(bytes, dataSize, 4);
  for (int16_t sample : samples) PutLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
  return bytes;
}

}  // namespace zorbulant::tools
