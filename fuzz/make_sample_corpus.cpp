// Writes the sample fuzzer's seed files, in its input layout (see
// sample_loader_fuzz.cpp): short waves as the sound tools write them, waves of
// the other kinds the loader takes (8-bit, stereo, with chunks it skips), one
// cut short, and mu-law samples. Run by hand when the seeds need to change:
//   make_sample_corpus fuzz/corpus/sample_loader
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "sounds/mu_law.h"
#include "sounds/wave_file.h"

namespace {

using zorbulant::tools::EncodeMuLaw;
using zorbulant::tools::EncodeWave;

// A falling tone, loud enough that every mu-law segment is used.
std::vector<int16_t> Tone(size_t frames) {
  std::vector<int16_t> samples(frames);
  for (size_t i = 0; i < frames; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / static_cast<double>(frames);
    samples[i] = static_cast<int16_t>(30'000 * fade * std::sin(0.3 * static_cast<double>(i)));
  }
  return samples;
}

void Put(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutChunk(std::vector<uint8_t>& bytes, std::string_view tag, const std::vector<uint8_t>& body) {
  bytes.insert(bytes.end(), tag.begin(), tag.end());
  Put(bytes, static_cast<uint32_t>(body.size()), 4);
  bytes.insert(bytes.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) bytes.push_back(0);
}

// A wave of `channels` channels of `bits` bits with a list chunk of odd length
// before its data, which the loader must step over with its padding byte.
std::vector<uint8_t> Wave(uint32_t channels, uint32_t bits, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> format;
  Put(format, 1, 2);
  Put(format, channels, 2);
  Put(format, 11'025, 4);
  Put(format, 11'025 * channels * bits / 8, 4);
  Put(format, channels * bits / 8, 2);
  Put(format, bits, 2);
  std::vector<uint8_t> chunks;
  PutChunk(chunks, "fmt ", format);
  PutChunk(chunks, "LIST", {'I', 'N', 'F', 'O', 'z', 'o', 'r'});
  PutChunk(chunks, "data", data);
  std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
  Put(bytes, static_cast<uint32_t>(4 + chunks.size()), 4);
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E'});
  bytes.insert(bytes.end(), chunks.begin(), chunks.end());
  return bytes;
}

std::vector<uint8_t> Ramp(size_t length, uint8_t step) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i * step);
  return bytes;
}

// The fuzzer's five leading bytes: the loader (even: wave, odd: mu-law) with
// the panning, the rate, the volume and where the playback starts.
std::vector<uint8_t> Seed(uint8_t loader, uint32_t rate, uint8_t volume, uint8_t start,
                          const std::vector<uint8_t>& file) {
  std::vector<uint8_t> bytes = {loader, static_cast<uint8_t>(rate), static_cast<uint8_t>(rate >> 8),
                                volume, start};
  bytes.insert(bytes.end(), file.begin(), file.end());
  return bytes;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "make_sample_corpus: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_corpus OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = argv[1];

  const std::vector<uint8_t> tool = EncodeWave(22'050, Tone(300));
  const std::vector<uint8_t> cut(tool.begin(), tool.begin() + static_cast<long>(tool.size() / 2));
  std::vector<uint8_t> muLaw;
  for (const int16_t sample : Tone(400)) muLaw.push_back(EncodeMuLaw(sample));

  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } seeds[] = {
      {"tool_wave.wav", Seed(0, 22'050, 64, 0, tool)},
      {"tool_wave_panned_late_start.wav", Seed(0x20, 11'025, 40, 200, tool)},
      {"mono_8_bit.wav", Seed(0, 8'000, 64, 0, Wave(1, 8, Ramp(301, 7)))},
      {"stereo_8_bit.wav", Seed(0xF0, 44'100, 64, 0, Wave(2, 8, Ramp(256, 3)))},
      {"stereo_16_bit.wav", Seed(0x10, 16'000, 20, 0, Wave(2, 16, Ramp(400, 11)))},
      {"cut_short.wav", Seed(0, 22'050, 64, 0, cut)},
      {"tone.ulw", Seed(1, 11'025, 64, 0, muLaw)},
      {"tone_slow_right.ulw", Seed(0x81, 3'000, 64, 128, muLaw)},
  };
  for (const auto& [name, bytes] : seeds) {
    if (!Write(directory + "/" + name, bytes)) return 1;
  }
  return 0;
}
