// The game's name, letter under letter, on a sign tower at the left edge:
// the only place no screen writes over.
#pragma once

#include "start_pictures/colour_canvas.h"

namespace zorbulant::tools {

void PaintTitlePylon(ColourCanvas& canvas);

}  // namespace zorbulant::tools
