// The outpost at the right of the menu's landscape: two domes with lit
// windows, a connecting tube and a lattice tower with its beacon.
#pragma once

#include "start_pictures/colour_canvas.h"

namespace zorbulant::tools {

void PaintOutpost(ColourCanvas& canvas);

// A soft round light: full `colour` at the centre, gone at `radius`.
void PaintGlow(ColourCanvas& canvas, float x, float y, float radius, Rgb colour, float strength);

}  // namespace zorbulant::tools
