// A picture painted in full colour, then put into the game's colour cube with
// an ordered dither, so that skies and glows can be painted as gradients.
#pragma once

#include <cstdint>
#include <vector>

#include "common/indexed_gif.h"

namespace zorbulant::tools {

struct Colour {
  float red = 0;  // each 0 to 1
  float green = 0;
  float blue = 0;
};

// `amount` 0 gives `from`, 1 gives `to`.
Colour Blend(Colour from, Colour to, float amount);

// A colour from 0-255 components, as paint programs give them.
constexpr Colour Rgb(int red, int green, int blue) {
  return {static_cast<float>(red) / 255, static_cast<float>(green) / 255,
          static_cast<float>(blue) / 255};
}

class PaintCanvas {
 public:
  PaintCanvas(int width, int height, Colour fill);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour At(int x, int y) const { return pixels_[Index(x, y)]; }
  // Points outside the canvas are left alone, so shapes may run off its edges.
  void Mix(int x, int y, Colour colour, float amount);
  void Set(int x, int y, Colour colour) { Mix(x, y, colour, 1); }
  void FillRect(int left, int top, int width, int height, Colour colour);
  // A filled ellipse; `shade` gives each point's colour from its place.
  template <typename Shade>
  void FillEllipse(float cx, float cy, float rx, float ry, Shade shade) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y) {
      for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
        const float dx = (static_cast<float>(x) + 0.5f - cx) / rx;
        const float dy = (static_cast<float>(y) + 0.5f - cy) / ry;
        if (dx * dx + dy * dy <= 1) shade(x, y, dx, dy);
      }
    }
  }

  // The canvas dithered into the cube (palette indices 0 to 215), placed at
  // the top left of a black picture of `width` x `height`.
  IndexedPicture ToCube(uint32_t width, uint32_t height) const;

 private:
  int Index(int x, int y) const { return y * width_ + x; }

  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

// A small deterministic random source, so every build paints the same stars.
class Scatter {
 public:
  explicit Scatter(uint32_t seed) : state_(seed) {}
  uint32_t Next();
  float Unit() { return static_cast<float>(Next() % 10000) / 10000.0f; }  // 0 to 1
  int Below(int limit) { return static_cast<int>(Next() % static_cast<uint32_t>(limit)); }

 private:
  uint32_t state_;
};

}  // namespace zorbulant::tools
