// The sky over the menu: a night fading to a teal glow at the horizon, stars,
// a ringed planet and a small moon.
#pragma once

#include "start_pictures/colour_canvas.h"

namespace zorbulant::tools {

void PaintSky(ColourCanvas& canvas);
void PaintStars(ColourCanvas& canvas);
void PaintGalaxy(ColourCanvas& canvas);
void PaintRingedPlanet(ColourCanvas& canvas);
void PaintMoon(ColourCanvas& canvas);

}  // namespace zorbulant::tools
