// Pixel lettering for the end pictures: capitals, digits and a little
// punctuation, five by seven, scaled up and painted as bevelled metal with a
// dark rim.
#pragma once

#include <string_view>

#include "end_pictures/paint_canvas.h"

namespace zorbulant::tools {

struct TextStyle {
  int scale = 1;    // each glyph pixel becomes scale x scale
  int spacing = 1;  // glyph pixels between letters
  Colour top;       // the face runs from `top` to `bottom` down the line
  Colour bottom;
  Colour rim;         // one pixel all round
  bool bevel = true;  // lit upper edges, shaded lower edges
};

// Width in canvas pixels of `text` in `style`; unknown characters are spaces.
int TextWidth(std::string_view text, const TextStyle& style);
int TextHeight(const TextStyle& style);

void PaintText(PaintCanvas& canvas, std::string_view text, int left, int top,
               const TextStyle& style);
void PaintTextCentred(PaintCanvas& canvas, std::string_view text, int centre, int top,
                      const TextStyle& style);

}  // namespace zorbulant::tools
