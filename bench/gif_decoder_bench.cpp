// How fast the GIF decoder expands pictures like the game's, against giflib
// decoding the same files. Both decoders are timed turn about within each
// benchmark, so their ratio holds even when a busy machine makes the absolute
// numbers drift from one benchmark to the next.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "assets/gif_decoder.h"
#include "assets/work_block.h"
#include "common/indexed_gif.h"
#include "support/gif_test_writer.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

using testing::Picture;
using tools::CubeColour;

// ---------------------------------------------------------------------------
// Pictures, drawn the way the game's pictures are: large areas of few colours,
// dithered gradients, textured ground, and small detailed sprites.

Picture Blank(uint32_t width, uint32_t height, uint8_t colour) {
  return {width, height, std::vector<uint8_t>(size_t{width} * height, colour)};
}

void Put(Picture& picture, int x, int y, uint8_t colour) {
  if (x < 0 || y < 0 || x >= static_cast<int>(picture.width) ||
      y >= static_cast<int>(picture.height)) {
    return;
  }
  picture.pixels[static_cast<size_t>(y) * picture.width + static_cast<size_t>(x)] = colour;
}

void FillRectangle(Picture& picture, int left, int top, int width, int height, uint8_t colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) Put(picture, x, y, colour);
  }
}

// A well-mixed number for a pixel, for textures that must not repeat visibly.
uint32_t PixelHash(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x9E3779B1u ^ y * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

// The cube level (0 to 5) nearest to `level` on an ordered 4x4 dither, as a
// paint program reduces a smooth gradient to the fixed palette.
uint32_t Dithered(double level, uint32_t x, uint32_t y) {
  static constexpr uint8_t Bayer[4][4] = {
      {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const double threshold = (Bayer[y % 4][x % 4] + 0.5) / 16.0;
  return std::min(5u, static_cast<uint32_t>(level + threshold));
}

// A sky from `top` (cube levels) down to `horizon` over rows 0 to `height`.
void DrawSky(Picture& picture, uint32_t height, const double (&top)[3],
             const double (&horizon)[3]) {
  for (uint32_t y = 0; y < height; ++y) {
    const double t = static_cast<double>(y) / height;
    double level[3];
    for (int c = 0; c < 3; ++c) level[c] = top[c] + (horizon[c] - top[c]) * t;
    for (uint32_t x = 0; x < picture.width; ++x) {
      Put(picture, static_cast<int>(x), static_cast<int>(y),
          CubeColour(Dithered(level[0], x, y), Dithered(level[1], x, y), Dithered(level[2], x, y)));
    }
  }
}

void DrawCloud(Picture& picture, int centreX, int centreY, int radiusX, int radiusY) {
  for (int y = -radiusY; y <= radiusY; ++y) {
    for (int x = -radiusX; x <= radiusX; ++x) {
      const double d = std::pow(x / static_cast<double>(radiusX), 2) +
                       std::pow(y / static_cast<double>(radiusY), 2);
      if (d > 1.0) continue;
      const bool underside = y > radiusY / 3;
      Put(picture, centreX + x, centreY + y, underside ? CubeColour(4, 4, 5) : CubeColour(5, 5, 5));
    }
  }
}

// Hills from a wavy top line down to the picture's bottom; `grass` speckles
// them with a darker shade and lights their top rows.
void DrawHills(Picture& picture, double base, double amplitude, double wavelength, uint8_t colour,
               bool grass) {
  for (uint32_t x = 0; x < picture.width; ++x) {
    const double top = base + amplitude * std::sin(x / wavelength) +
                       amplitude / 3 * std::sin(x / (wavelength / 3.7) + 1.3);
    for (uint32_t y = static_cast<uint32_t>(std::max(0.0, top)); y < picture.height; ++y) {
      uint8_t shade = colour;
      if (grass && y < top + 3) {
        shade = CubeColour(2, 4, 1);
      } else if (grass && PixelHash(x, y) % 8 == 0) {
        shade = CubeColour(0, 2, 0);
      }
      Put(picture, static_cast<int>(x), static_cast<int>(y), shade);
    }
  }
}

// A brick platform in the solid colours: dark red bricks, black mortar and a
// light grey top edge.
void DrawPlatform(Picture& picture, int left, int top, int width, int height) {
  constexpr uint8_t Brick = 255, Mortar = 250, Edge = 252;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int course = y / 8;
      const bool joint = y % 8 == 7 || (x + (course % 2) * 8) % 16 == 15;
      Put(picture, left + x, top + y, y < 2 ? Edge : joint ? Mortar : Brick);
    }
  }
}

void DrawTree(Picture& picture, int left, int bottom) {
  FillRectangle(picture, left + 13, bottom - 30, 6, 30, CubeColour(2, 1, 0));
  for (int y = -16; y <= 16; ++y) {
    for (int x = -16; x <= 16; ++x) {
      if (x * x + y * y > 256) continue;
      const uint32_t h = PixelHash(static_cast<uint32_t>(left + x), static_cast<uint32_t>(y + 99));
      Put(picture, left + 16 + x, bottom - 44 + y,
          h % 5 == 0 ? CubeColour(1, 4, 0) : CubeColour(0, 3, 0));
    }
  }
}

void DrawCrate(Picture& picture, int left, int bottom) {
  constexpr int Size = 24;
  for (int y = 0; y < Size; ++y) {
    for (int x = 0; x < Size; ++x) {
      const bool frame = x < 2 || y < 2 || x >= Size - 2 || y >= Size - 2 || x == y;
      const bool grain = y % 6 == 3;
      Put(picture, left + x, bottom - Size + y,
          frame   ? CubeColour(2, 1, 0)
          : grain ? CubeColour(3, 2, 0)
                  : CubeColour(4, 3, 1));
    }
  }
}

// A small figure as the level sprites have them: head, body, legs.
void DrawFigure(Picture& picture, int left, int bottom, uint8_t clothes) {
  FillRectangle(picture, left + 5, bottom - 32, 6, 8, CubeColour(5, 4, 3));
  FillRectangle(picture, left + 7, bottom - 30, 1, 1, 216);
  FillRectangle(picture, left + 4, bottom - 24, 8, 12, clothes);
  FillRectangle(picture, left + 5, bottom - 12, 2, 12, CubeColour(1, 1, 1));
  FillRectangle(picture, left + 9, bottom - 12, 2, 12, CubeColour(1, 1, 1));
}

// A level picture: sky, clouds, two rows of hills, brick platforms to jump on,
// and trees, crates and figures standing about.
Picture DrawnScenery() {
  Picture picture = Blank(1280, 819, 0);
  DrawSky(picture, 600, {0, 1, 3}, {3, 4, 5});
  const int clouds[][4] = {{150, 90, 70, 22},
                           {420, 150, 50, 15},
                           {760, 70, 90, 25},
                           {1010, 130, 60, 18},
                           {1200, 60, 40, 12}};
  for (const auto& [x, y, rx, ry] : clouds) DrawCloud(picture, x, y, rx, ry);
  DrawHills(picture, 470, 45, 97, CubeColour(1, 2, 2), false);
  DrawHills(picture, 610, 25, 63, CubeColour(1, 3, 0), true);
  DrawPlatform(picture, 0, 760, 1280, 59);  // the ground
  const int platforms[][3] = {{90, 640, 160},  {320, 560, 96},  {470, 470, 128}, {700, 600, 200},
                              {960, 520, 112}, {1120, 420, 96}, {560, 300, 64}};
  for (const auto& [x, y, width] : platforms) DrawPlatform(picture, x, y, width, 16);
  for (const int x : {40, 280, 610, 880, 1180}) DrawTree(picture, x, 760);
  for (const int x : {200, 226, 213}) DrawCrate(picture, x, x == 213 ? 736 : 760);
  DrawCrate(picture, 1000, 520);
  DrawFigure(picture, 380, 560, CubeColour(0, 2, 5));
  DrawFigure(picture, 760, 600, CubeColour(5, 0, 0));
  DrawFigure(picture, 1140, 420, CubeColour(5, 0, 0));
  return picture;
}

// Text as blocky letters of a 5x7 cell: the same letters recur, as in words.
void DrawText(Picture& picture, int left, int top, const char* text, uint8_t colour) {
  for (int i = 0; text[i] != 0; ++i) {
    if (text[i] == ' ') continue;
    const uint32_t letter = static_cast<uint32_t>(text[i]);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 5; ++x) {
        if (PixelHash(letter * 8 + static_cast<uint32_t>(x), static_cast<uint32_t>(y)) % 5 < 2) {
          Put(picture, left + 6 * i + x, top + y, colour);
        }
      }
    }
  }
}

// A screen like the main menu: dusk sky, hills, stars, the title and three
// framed buttons with their labels.
Picture MenuScreen() {
  Picture picture = Blank(320, 200, 0);
  DrawSky(picture, 200, {0, 0, 1}, {3, 0, 3});
  for (uint32_t star = 0; star < 60; ++star) {
    Put(picture, static_cast<int>((star * 97 + 13) % 320), static_cast<int>((star * 53 + 7) % 90),
        CubeColour(5, 5, 5));
  }
  DrawHills(picture, 160, 12, 23, CubeColour(0, 1, 0), false);
  DrawText(picture, 134, 12, "ZORBULANT", CubeColour(5, 4, 0));
  const struct {
    int left, width;
    const char* label;
  } buttons[] = {{40, 80, "GO"}, {144, 32, "CFG"}, {200, 85, "EXIT"}};
  for (const auto& [left, width, label] : buttons) {
    FillRectangle(picture, left, 120, width, 28, CubeColour(3, 5, 3));
    FillRectangle(picture, left + 1, 121, width - 2, 26, CubeColour(1, 3, 1));
    DrawText(picture, left + width / 2 - 3 * static_cast<int>(std::strlen(label)), 131, label,
             CubeColour(5, 5, 5));
  }
  DrawText(picture, 10, 185, "QUILLMARSH PRESENTS A GAME OF JUMPS AND SHOTS", CubeColour(4, 4, 4));
  return picture;
}

// Noise in all 256 colours: no string repeats, the worst case for LZW and the
// best for a decoder that walks short prefix chains.
Picture Noise() {
  Picture picture = Blank(1280, 200, 0);
  std::mt19937 random(1);
  for (uint8_t& pixel : picture.pixels) pixel = static_cast<uint8_t>(random());
  return picture;
}

// ---------------------------------------------------------------------------
// The decoders

// A picture, its GIF file in the game's layout and that file's image data with
// the sub-blocks joined, as LoadGifPicture hands it to the LZW decoder.
struct Sample {
  Picture picture;
  std::vector<uint8_t> file;
  std::vector<uint8_t> data;
};

Sample MakeSample(Picture picture) {
  Sample sample{std::move(picture), {}, {}};
  sample.file = testing::EncodeWithGiflib({sample.picture}, {});
  // Head, 256 colours and the image descriptor fill the first 791 bytes, the
  // code size byte the next; the sub-blocks start behind it.
  constexpr size_t DataStart = 792;
  for (size_t at = DataStart; at < sample.file.size() && sample.file[at] != 0;
       at += sample.file[at] + 1u) {
    const auto block = sample.file.begin() + static_cast<ptrdiff_t>(at) + 1;
    sample.data.insert(sample.data.end(), block, block + sample.file[at]);
  }
  return sample;
}

struct MemoryInput {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* to, int length) {
  auto& input = *static_cast<MemoryInput*>(gif->UserData);
  const size_t count = std::min<size_t>(static_cast<size_t>(length), input.bytes.size() - input.at);
  std::memcpy(to, input.bytes.data() + input.at, count);
  input.at += count;
  return static_cast<int>(count);
}

// Decodes a whole file with giflib as an application reading from memory
// would; `use` sees the first image before giflib frees it. False when giflib
// cannot decode the file.
template <typename Use>
bool DecodeWithGiflib(std::span<const uint8_t> file, Use use) {
  MemoryInput input{file};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
  if (gif == nullptr) return false;
  const bool decoded = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
  if (decoded) use(gif->SavedImages[0]);
  DGifCloseFile(gif, &error);
  return decoded;
}

void DecodeOurs(const Sample& sample, std::span<uint8_t> scratch, std::span<uint8_t> pixels) {
  DecodeLzwData(scratch, sample.data, 8, pixels);
}

// ---------------------------------------------------------------------------
// The benchmarks

using Clock = std::chrono::steady_clock;

template <typename Decode>
void AddTime(Clock::duration& total, Decode decode) {
  const Clock::time_point start = Clock::now();
  decode();
  total += Clock::now() - start;
}

// Each iteration decodes once with each decoder, the order alternating so
// that neither always inherits the other's caches; `pixels` is how many one
// decoding gives.
template <typename Ours, typename Giflib>
void TimeTurnAbout(benchmark::State& state, double pixels, Ours ours, Giflib giflib) {
  Clock::duration oursTime{}, giflibTime{};
  bool oursFirst = true;
  for (auto _ : state) {
    if (oursFirst) {
      AddTime(oursTime, ours);
      AddTime(giflibTime, giflib);
    } else {
      AddTime(giflibTime, giflib);
      AddTime(oursTime, ours);
    }
    oursFirst = !oursFirst;
  }
  const double bytes = pixels * static_cast<double>(state.iterations());
  const double oursRate = bytes / std::chrono::duration<double>(oursTime).count();
  const double giflibRate = bytes / std::chrono::duration<double>(giflibTime).count();
  state.counters["ours_bytes/s"] = oursRate;
  state.counters["giflib_bytes/s"] = giflibRate;
  state.counters["ours/giflib"] = oursRate / giflibRate;
}

void DecodeTurnAbout(benchmark::State& state, const Sample& (*sampleOf)()) {
  const Sample& sample = sampleOf();
  // The scratch area the game gives the decoder: the whole SceneBuffer.
  std::vector<uint8_t> scratch(regions::SceneBuffer.size);
  std::vector<uint8_t> pixels(sample.picture.pixels.size());

  // A decoder that gets the picture wrong would be timed for nothing.
  DecodeOurs(sample, scratch, pixels);
  bool giflibRight = false;
  const bool giflibDecoded = DecodeWithGiflib(sample.file, [&](const SavedImage& image) {
    giflibRight = std::equal(pixels.begin(), pixels.end(), image.RasterBits);
  });
  if (pixels != sample.picture.pixels || !giflibDecoded || !giflibRight) {
    state.SkipWithError("a decoder does not give the picture back");
    return;
  }

  const auto ours = [&] {
    DecodeOurs(sample, scratch, pixels);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  };
  const auto giflib = [&] {
    DecodeWithGiflib(sample.file,
                     [](const SavedImage& image) { benchmark::DoNotOptimize(image.RasterBits); });
  };
  TimeTurnAbout(state, static_cast<double>(pixels.size()), ours, giflib);
}

const Sample& SceneryLevel() {
  static const Sample sample = MakeSample(DrawnScenery());
  return sample;
}

const Sample& Menu() {
  static const Sample sample = MakeSample(MenuScreen());
  return sample;
}

const Sample& NoiseStrip() {
  static const Sample sample = MakeSample(Noise());
  return sample;
}

const Sample& OneColourScreen() {
  static const Sample sample = MakeSample(Blank(320, 200, CubeColour(1, 1, 3)));
  return sample;
}

// ---------------------------------------------------------------------------
// The pack's own pictures, whole files: the game's loader (file read, blocks
// joined, LZW decoded into its region) against giflib reading the same bytes
// from memory.

struct PackPicture {
  std::string name;
  std::vector<uint8_t> file;
  size_t pixels = 0;
};

std::vector<PackPicture> ReadPackPictures() {
  std::vector<PackPicture> pictures;
  for (const auto& entry : std::filesystem::directory_iterator(ZORBULANT_DATA_DIR)) {
    if (entry.path().extension() != ".gif") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    PackPicture picture{entry.path().filename().string(),
                        {std::istreambuf_iterator<char>(file), {}}};
    pictures.push_back(std::move(picture));
  }
  std::sort(pictures.begin(), pictures.end(),
            [](const PackPicture& a, const PackPicture& b) { return a.name < b.name; });
  return pictures;
}

void DecodePackTurnAbout(benchmark::State& state) {
  std::vector<PackPicture> pictures = ReadPackPictures();
  testing::TestGame test;
  for (PackPicture& picture : pictures) test.platform.files.Add(picture.name, picture.file);
  Game& game = test.game;
  const Region destination = regions::Free;
  const std::span<const uint8_t> loaded(game.work.data() + destination.offset, destination.size);

  // Both decoders must give every picture back alike before either is timed.
  for (PackPicture& picture : pictures) {
    bool same = false;
    const bool decoded = DecodeWithGiflib(picture.file, [&](const SavedImage& image) {
      picture.pixels = size_t(image.ImageDesc.Width) * size_t(image.ImageDesc.Height);
      same = LoadGifPicture(game, picture.name.c_str(), destination) &&
             std::equal(image.RasterBits, image.RasterBits + picture.pixels, loaded.begin());
    });
    if (!decoded || !same) {
      state.SkipWithError(("the decoders disagree on " + picture.name).c_str());
      return;
    }
  }

  const auto ours = [&] {
    for (const PackPicture& picture : pictures) {
      LoadGifPicture(game, picture.name.c_str(), destination);
    }
    benchmark::ClobberMemory();
  };
  const auto giflib = [&] {
    for (const PackPicture& picture : pictures) {
      DecodeWithGiflib(picture.file,
                       [](const SavedImage& image) { benchmark::DoNotOptimize(image.RasterBits); });
    }
  };
  double pixels = 0;
  for (const PackPicture& picture : pictures) pixels += static_cast<double>(picture.pixels);
  TimeTurnAbout(state, pixels, ours, giflib);
  state.counters["pictures"] = static_cast<double>(pictures.size());
}

BENCHMARK(DecodePackTurnAbout)
    ->Name("DecodeTurnAbout/pack_pictures")
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// Five repetitions, reported by their median and spread: one run of a few
// seconds on a noisy machine then still gives a ratio worth reading.
#define DECODE_BENCHMARK(name, sample) \
  BENCHMARK_CAPTURE(DecodeTurnAbout, name, &sample)->Repetitions(5)->DisplayAggregatesOnly(true)

DECODE_BENCHMARK(scenery_1280x819, SceneryLevel);
DECODE_BENCHMARK(menu_320x200, Menu);
DECODE_BENCHMARK(noise_1280x200, NoiseStrip);
DECODE_BENCHMARK(one_colour_320x200, OneColourScreen);

}  // namespace
}  // namespace zorbulant
