// Painting in full colour and dithering into the colour cube.
#include "start_pictures/colour_canvas.h"

#include <algorithm>
#include <cmath>

namespace zorbulant::tools {

namespace {

constexpr uint8_t Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// A gradient is dithered only over the middle of each step between two
// levels and flat elsewhere: broad calm bands for text to stand on, joined by
// short dithered seams.
constexpr float SeamSharpness = 2.5f;

// Thresholds stay half a step clear of 0 and 1, so a colour a rounding error
// off a cube level still comes out as that level.
uint32_t Quantise(float value, uint32_t x, uint32_t y) {
  const float threshold = (static_cast<float>(Bayer[y % 4][x % 4]) + 0.5f) / 16;
  const float scaled = std::clamp(value, 0.0f, 1.0f) * 5;
  const float whole = std::floor(scaled);
  const float between = std::clamp((scaled - whole - 0.5f) * SeamSharpness + 0.5f, 0.0f, 1.0f);
  return std::min(static_cast<uint32_t>(whole + between + threshold), 5u);
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, float amount) {
  return {from.red + (to.red - from.red) * amount, from.green + (to.green - from.green) * amount,
          from.blue + (to.blue - from.blue) * amount};
}

ColourCanvas::ColourCanvas(uint32_t width, uint32_t height, Rgb fill)
    : width_(width), height_(height), pixels_(size_t{width} * height, fill) {}

void ColourCanvas::Blend(int32_t x, int32_t y, Rgb colour, float amount) {
  if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= width_ || static_cast<uint32_t>(y) >= height_)
    return;
  Rgb& pixel = at(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
  pixel = Mix(pixel, colour, std::clamp(amount, 0.0f, 1.0f));
}

IndexedPicture ColourCanvas::ToCube() const {
  IndexedPicture picture(width_, height_, 0);
  for (uint32_t y = 0; y < height_; ++y) {
    for (uint32_t x = 0; x < width_; ++x) {
      const Rgb pixel = at(x, y);
      picture.at(x, y) = CubeColour(Quantise(pixel.red, x, y), Quantise(pixel.green, x, y),
                                    Quantise(pixel.blue, x, y));
    }
  }
  return picture;
}

}  // namespace zorbulant::tools
