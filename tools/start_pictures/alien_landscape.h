// The land under the menu's sky: two jagged mountain ranges, the nearer one
// darker, and the flat ground the outpost stands on.
#pragma once

#include "start_pictures/colour_canvas.h"

namespace zorbulant::tools {

void PaintFarMountains(ColourCanvas& canvas);
void PaintNearMountains(ColourCanvas& canvas);
void PaintGround(ColourCanvas& canvas);

// The ground's first row.
inline constexpr int32_t GroundTop = 176;

}  // namespace zorbulant::tools
