// Painting in full colour and dithering into the colour cube.
#include "end_pictures/paint_canvas.h"

#include <algorithm>
#include <cmath>

namespace zorbulant::tools {

namespace {

constexpr uint8_t Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One channel to a cube level (0 to 5): values between two levels become an
// even pattern of both, in proportion.
uint32_t Level(float value, int x, int y) {
  const float threshold = (static_cast<float>(Bayer[y % 4][x % 4]) + 0.5f) / 16;
  const float scaled = std::clamp(value, 0.0f, 1.0f) * 5;
  return std::min(static_cast<uint32_t>(scaled + threshold), 5u);
}

}  // namespace

Colour Blend(Colour from, Colour to, float amount) {
  return {from.red + (to.red - from.red) * amount, from.green + (to.green - from.green) * amount,
          from.blue + (to.blue - from.blue) * amount};
}

PaintCanvas::PaintCanvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), fill) {}

void PaintCanvas::Mix(int x, int y, Colour colour, float amount) {
  if (!Inside(x, y)) return;
  Colour& pixel = pixels_[Index(x, y)];
  pixel = Blend(pixel, colour, std::clamp(amount, 0.0f, 1.0f));
}

void PaintCanvas::FillRect(int left, int top, int width, int height, Colour colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) Set(x, y, colour);
  }
}

IndexedPicture PaintCanvas::ToCube(uint32_t width, uint32_t height) const {
  IndexedPicture picture(width, height, 0);
  for (int y = 0; y < height_ && y < static_cast<int>(height); ++y) {
    for (int x = 0; x < width_ && x < static_cast<int>(width); ++x) {
      const Colour pixel = At(x, y);
      picture.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) =
          CubeColour(Level(pixel.red, x, y), Level(pixel.green, x, y), Level(pixel.blue, x, y));
    }
  }
  return picture;
}

uint32_t Scatter::Next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

}  // namespace zorbulant::tools
