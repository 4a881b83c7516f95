// A 3x5 font of digits, lower case letters, '-' and ' ' for the contact
// sheet's labels.
#pragma once

#include <cstdint>
#include <string_view>

#include "sprites/rgb_canvas.h"

namespace zorbulant::tools {

// Width of the text drawn at `scale`: 4 x scale per character, less the last gap.
uint32_t LabelWidth(std::string_view text, uint32_t scale);
// Draws the text with its top-left corner at (x, y); 5 x scale rows high.
// Characters outside the font are left as gaps.
void DrawLabel(RgbCanvas& canvas, std::string_view text, uint32_t x, uint32_t y, uint32_t scale,
               Rgb colour);

}  // namespace zorbulant::tools
