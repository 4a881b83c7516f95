// The disk-audio check's two halves: `write DIR` puts a menu module and the
// reload sample of known, distinct pitches into a data directory; `check FILE
// RATE` reads what SDL's disk driver wrote (16-bit stereo at RATE) and tells
// whether the music played throughout and the sample came in over it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "support/mod_writer.h"

namespace {

using zorbulant::testing::ToneFrequency;
using zorbulant::testing::WriteToneModule;

constexpr uint16_t MusicPeriod = 428;
constexpr uint32_t SampleRate = 11025;  // what the pistol key plays reload.ulw at
constexpr double SampleFrequency = SampleRate / 4.0;
// Loud enough to stand out, clearly quieter than full scale.
constexpr double PitchPresent = 200;
constexpr double SampleLoud = 2000;

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

int Write(const std::string& directory) {
  // A quarter of the rate: mu-law codes for 0, +16000, 0, -16000, a fifth of
  // a second.
  std::vector<uint8_t> sample;
  for (uint32_t i = 0; i < SampleRate / 5; i += 4)
    sample.insert(sample.end(), {0xFF, 0x90, 0xFF, 0x10});
  const bool written = WriteFile(directory + "/intro001.mod", WriteToneModule(MusicPeriod, 16)) &&
                       WriteFile(directory + "/reload.ulw", sample);
  if (!written) std::fprintf(stderr, "cannot write into %s\n", directory.c_str());
  return written ? 0 : 1;
}

// The amplitude of the `frequency` component of `block`.
double Amplitude(const std::vector<double>& block, double frequency, double rate) {
  const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
  double previous = 0;
  double beforePrevious = 0;
  for (const double value : block) {
    const double current = value + coefficient * previous - beforePrevious;
    beforePrevious = previous;
    previous = current;
  }
  const double power = previous * previous + beforePrevious * beforePrevious -
                       coefficient * previous * beforePrevious;
  return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(block.size());
}

int Check(const std::string& path, double rate) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
  const size_t frames = bytes.size() / 4;
  const size_t blockFrames = static_cast<size_t>(rate / 20);
  const double musicFrequency = ToneFrequency(MusicPeriod, 32);
  size_t musicBlocks = 0;
  size_t blocks = 0;
  long firstMusic = -1;
  long firstSample = -1;
  bool musicUnderSample = false;
  size_t sampleStarts = 0;
  bool sampleBefore = false;
  double loudestSample = 0;
  std::vector<double> block;
  for (size_t start = 0; start + blockFrames <= frames; start += blockFrames) {
    block.clear();
    for (size_t frame = start; frame < start + blockFrames; ++frame) {
      int16_t left = 0;
      int16_t right = 0;
      std::memcpy(&left, &bytes[frame * 4], 2);
      std::memcpy(&right, &bytes[frame * 4 + 2], 2);
      block.push_back((left + right) / 2.0);
    }
    const bool music = Amplitude(block, musicFrequency, rate) > PitchPresent;
    const double sample = Amplitude(block, SampleFrequency, rate);
    loudestSample = std::max(loudestSample, sample);
    if (music) {
      ++musicBlocks;
      if (firstMusic < 0) firstMusic = static_cast<long>(blocks);
    }
    const bool sampleHere = sample > SampleLoud;
    if (sampleHere && !sampleBefore) ++sampleStarts;
    if (sampleHere && firstSample < 0) {
      firstSample = static_cast<long>(blocks);
      musicUnderSample = music;
    }
    sampleBefore = sampleHere;
    ++blocks;
  }
  std::printf(
      "%zu frames in %zu blocks of 50 ms; music in %zu from block %ld; sample from block "
      "%ld, heard %zu times (loudest %.0f)\n",
      frames, blocks, musicBlocks, firstMusic, firstSample, sampleStarts, loudestSample);
  int failures = 0;
  auto check = [&failures](bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
    failures += passed ? 0 : 1;
  };
  check(musicBlocks >= 20, "the menu music is heard for at least a second");
  check(firstMusic >= 0 && musicBlocks + firstMusic + 2 >= blocks,
        "the music plays on to the end once started");
  check(firstSample > firstMusic + 10, "the sample comes later, after the key press");
  check(musicUnderSample, "the music goes on under the sample");
  check(sampleStarts == 2, "the sample plays for the key's press and again for its release");
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write" && argc == 3) return Write(argv[2]);
  if (command == "check" && argc == 4) return Check(argv[2], std::stod(argv[3]));
  std::fprintf(stderr, "usage: %s write DIR | check FILE RATE\n", argv[0]);
  return 2;
}
