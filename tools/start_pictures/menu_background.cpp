// The menu background, painted back to front.
#include "start_pictures/menu_background.h"

#include "start_pictures/alien_landscape.h"
#include "start_pictures/colour_canvas.h"
#include "start_pictures/menu_layout.h"
#include "start_pictures/night_sky.h"
#include "start_pictures/outpost.h"
#include "start_pictures/title_pylon.h"

namespace zorbulant::tools {

namespace {

// A dark console strip under the credits line, so the scrolling red letters
// and their black shadow read on an even ground.
void PaintCreditsPanel(ColourCanvas& canvas) {
  for (uint32_t x = 0; x < canvas.width(); ++x) {
    canvas.at(x, menu_layout::CreditsTop) = Rgb{0.4f, 0.45f, 0.55f};
    for (uint32_t y = menu_layout::CreditsTop + 1; y < canvas.height(); ++y)
      canvas.at(x, y) = Level(0, 0, 1);
  }
}

}  // namespace

IndexedPicture MenuBackground() {
  ColourCanvas canvas(menu_layout::Width, menu_layout::Height, Rgb{});
  PaintSky(canvas);
  PaintGalaxy(canvas);
  PaintStars(canvas);
  PaintRingedPlanet(canvas);
  PaintMoon(canvas);
  PaintFarMountains(canvas);
  PaintNearMountains(canvas);
  PaintGround(canvas);
  PaintOutpost(canvas);
  PaintTitlePylon(canvas);
  PaintCreditsPanel(canvas);
  return canvas.ToCube();
}

}  // namespace zorbulant::tools
