// A picture painted in full colour and then put into the game's colour cube,
// so that gradients and soft light can be painted as they are meant and the
// cube's coarse steps are left to one place.
#pragma once

#include <cstdint>
#include <vector>

#include "common/indexed_gif.h"

namespace zorbulant::tools {

struct Rgb {
  float red = 0;  // each 0 to 1
  float green = 0;
  float blue = 0;
};

// A colour exactly on the cube: levels 0 to 5, as CubeColour takes them.
constexpr Rgb Level(uint32_t red, uint32_t green, uint32_t blue) {
  return {static_cast<float>(red) / 5, static_cast<float>(green) / 5, static_cast<float>(blue) / 5};
}

// `amount` 0 gives `from`, 1 gives `to`.
Rgb Mix(Rgb from, Rgb to, float amount);

class ColourCanvas {
 public:
  ColourCanvas(uint32_t width, uint32_t height, Rgb fill);

  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  Rgb& at(uint32_t x, uint32_t y) { return pixels_[y * width_ + x]; }
  Rgb at(uint32_t x, uint32_t y) const { return pixels_[y * width_ + x]; }
  // Points outside the canvas are left alone, so shapes may run off its edges.
  void Blend(int32_t x, int32_t y, Rgb colour, float amount);
  void Set(int32_t x, int32_t y, Rgb colour) { Blend(x, y, colour, 1); }

  // Each channel to the cube's levels with a 4x4 ordered dither: colours on
  // the cube come out exactly, those near the middle between two levels as an
  // even pattern of both, the rest as the nearer level.
  IndexedPicture ToCube() const;

 private:
  uint32_t width_;
  uint32_t height_;
  std::vector<Rgb> pixels_;
};

}  // namespace zorbulant::tools
