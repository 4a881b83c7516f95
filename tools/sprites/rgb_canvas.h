// A true-colour picture that grows downwards as things are drawn into it: the
// contact sheet's page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorbulant::tools {

struct Rgb {
  uint8_t red, green, blue;
};

class RgbCanvas {
 public:
  RgbCanvas(uint32_t width, Rgb background) : width_(width), background_(background) {}

  uint32_t width() const { return width_; }
  uint32_t height() const { return static_cast<uint32_t>(pixels_.size() / (3 * size_t{width_})); }
  const std::vector<uint8_t>& pixels() const { return pixels_; }  // RGB triples, rows top first

  // Pixels right of the canvas are dropped; rows below it are added.
  void Put(uint32_t x, uint32_t y, Rgb colour);
  void Fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h, Rgb colour);

 private:
  uint32_t width_;
  Rgb background_;
  std::vector<uint8_t> pixels_;
};

}  // namespace zorbulant::tools
