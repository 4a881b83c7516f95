// Bold block letters for the title and the button labels, and their painting
// as shaded metal with a dark rim.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "start_pictures/colour_canvas.h"

namespace zorbulant::tools {

struct Mask {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bits;  // 1 where the shape is, row after row

  bool at(int32_t x, int32_t y) const;  // false outside
};

// The letters of `text` side by side, each drawn at `scale` with its outer
// corners cut off, `spacing` pixels apart. Only the letters of the game's
// title and labels exist; others are left out.
Mask TextMask(std::string_view text, uint32_t scale, uint32_t spacing);

struct LetteringColours {
  Rgb top;  // the face runs from `top` to `bottom` down the mask
  Rgb bottom;
  Rgb rim;
};

// The face lit along its upper edges and shaded along its lower ones, so the
// letters stand out of the picture; the rim is one pixel wide all round.
void PaintLettering(ColourCanvas& canvas, const Mask& mask, int32_t left, int32_t top,
                    const LetteringColours& colours);

}  // namespace zorbulant::tools
