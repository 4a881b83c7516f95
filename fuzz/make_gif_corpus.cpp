// Writes the GIF fuzzer's seed files: small pictures in the game's own layout
// and a few laid out as other encoders do it, interlaced, with extensions or
// cut short. Run by hand when the seeds need to change:
//   make_gif_corpus fuzz/corpus/gif
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/gif_test_writer.h"

namespace {

using zorbulant::testing::EncodeWithGiflib;
using zorbulant::testing::GiflibOptions;
using zorbulant::testing::Picture;

// libFuzzer keeps its inputs about as long as the longest seed, and short
// inputs make for many runs a second.
constexpr size_t LongestSeed = 4'095;

// Runs of one colour with stretches of noise between them, as in drawn pictures.
Picture Drawn(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed) {
  std::mt19937 random(seed);
  Picture picture{width, height, std::vector<uint8_t>(size_t{width} * height)};
  for (size_t at = 0; at < picture.pixels.size();) {
    const size_t run = std::min<size_t>(picture.pixels.size() - at, 1 + random() % 40);
    const bool noisy = random() % 4 == 0;
    const auto colour = static_cast<uint8_t>(random() % colours);
    for (size_t i = at; i < at + run; ++i) {
      picture.pixels[i] = noisy ? static_cast<uint8_t>(random() % colours) : colour;
    }
    at += run;
  }
  return picture;
}

Picture Noise(uint32_t width, uint32_t height, uint32_t seed) {
  std::mt19937 random(seed);
  Picture picture{width, height, std::vector<uint8_t>(size_t{width} * height)};
  for (uint8_t& pixel : picture.pixels) pixel = static_cast<uint8_t>(random());
  return picture;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (bytes.size() > LongestSeed) {
    std::fprintf(stderr, "make_gif_corpus: %s would be %zu bytes\n", path.c_str(), bytes.size());
    return false;
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "make_gif_corpus: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gif_corpus OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = argv[1];

  const GiflibOptions fixedLayout;  // 256 global colours, nothing else
  GiflibOptions fourColours;
  fourColours.globalColours = 4;
  GiflibOptions interlaced;
  interlaced.interlaced = true;
  GiflibOptions extended;
  extended.localColours = 16;
  extended.extensions = {
      {0xF9, {0x01, 0x0A, 0x00, 0x07}},  // graphic control: delay 10, colour 7 transparent
      {0xFE, {'s', 'e', 'e', 'd'}},      // comment
      {0xFF, {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'}},  // application
  };

  const std::vector<uint8_t> drawn = EncodeWithGiflib({Drawn(64, 40, 256, 1)}, fixedLayout);
  // Cut in the middle of the image data, with no zero-length sub-block.
  constexpr size_t FixedHead = 792;
  const std::vector<uint8_t> cut(drawn.begin(), drawn.begin() + (FixedHead + drawn.size()) / 2);

  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } seeds[] = {
      {"drawn_64x40.gif", drawn},
      {"one_colour_320x200.gif",
       EncodeWithGiflib({{320, 200, std::vector<uint8_t>(64'000, 217)}}, fixedLayout)},
      {"noise_40x24.gif", EncodeWithGiflib({Noise(40, 24, 2)}, fixedLayout)},
      {"four_colours_80x64.gif", EncodeWithGiflib({Drawn(80, 64, 4, 3)}, fourColours)},
      {"interlaced_48x30.gif", EncodeWithGiflib({Drawn(48, 30, 256, 4)}, interlaced)},
      {"extensions_local_colours_40x20.gif", EncodeWithGiflib({Drawn(40, 20, 16, 5)}, extended)},
      {"cut_short.gif", cut},
  };
  for (const auto& [name, bytes] : seeds) {
    if (!Write(directory + "/" + name, bytes)) return 1;
  }
  return 0;
}
