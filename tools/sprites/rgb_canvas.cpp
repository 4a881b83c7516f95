#include "sprites/rgb_canvas.h"

namespace zorbulant::tools {

void RgbCanvas::Put(uint32_t x, uint32_t y, Rgb colour) {
  if (x >= width_) return;
  while (y >= height()) {
    for (uint32_t i = 0; i < width_; ++i) {
      pixels_.insert(pixels_.end(), {background_.red, background_.green, background_.blue});
    }
  }
  uint8_t* at = &pixels_[(size_t{y} * width_ + x) * 3];
  at[0] = colour.red;
  at[1] = colour.green;
  at[2] = colour.blue;
}

void RgbCanvas::Fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h, Rgb colour) {
  for (uint32_t j = 0; j < h; ++j) {
    for (uint32_t i = 0; i < w; ++i) Put(x + i, y + j, colour);
  }
}

}  // namespace zorbulant::tools
