// Domes, tube, tower and lights of the outpost, lit from the planet. Small
// shapes are shaded in whole steps of the cube, which keeps them crisp where
// a dither would blur them.
#include "start_pictures/outpost.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "start_pictures/alien_landscape.h"
#include "start_pictures/scatter.h"

namespace zorbulant::tools {

namespace {

constexpr Rgb Steel[] = {Level(0, 0, 1), Level(1, 1, 2), Level(2, 2, 3), Level(3, 3, 4),
                         Level(4, 4, 5)};
constexpr Rgb WindowLit = Level(5, 5, 1);
constexpr Rgb WindowDark = Level(1, 1, 1);

Rgb SteelStep(float light) {
  const auto step = static_cast<size_t>(std::clamp(light, 0.0f, 0.99f) * std::size(Steel));
  return Steel[step];
}

struct Dome {
  int32_t x;  // centre of the base, on the ground's first row
  int32_t radiusX;
  int32_t radiusY;
};

// Light from the upper right, darker seams down the meridians and round one
// parallel, so the dome reads as plated.
void PaintDomeShell(ColourCanvas& canvas, const Dome& dome) {
  for (int32_t y = GroundTop - dome.radiusY; y <= GroundTop; ++y) {
    for (int32_t x = dome.x - dome.radiusX; x <= dome.x + dome.radiusX; ++x) {
      const float across = static_cast<float>(x - dome.x) / static_cast<float>(dome.radiusX);
      const float down = static_cast<float>(y - GroundTop) / static_cast<float>(dome.radiusY);
      const float depth = 1 - across * across - down * down;
      if (depth < 0) continue;
      float light = 0.15f + 0.45f * across - 0.5f * down + 0.3f * std::sqrt(depth);
      const float meridian = std::asin(std::clamp(across, -1.0f, 1.0f)) * 2.5f;
      if (meridian - std::floor(meridian) < 0.15f || std::abs(down + 0.55f) < 0.05f) light -= 0.2f;
      canvas.Set(x, y, SteelStep(light));
    }
  }
}

// A row of small square windows round the dome's foot, a few of them dark.
void PaintWindows(ColourCanvas& canvas, const Dome& dome, uint32_t seed) {
  const int32_t row = GroundTop - dome.radiusY / 3 - 1;
  for (int32_t x = dome.x - dome.radiusX + 4; x + 5 <= dome.x + dome.radiusX; x += 4) {
    const Rgb light = Random(seed + static_cast<uint32_t>(x)) < 0.2f ? WindowDark : WindowLit;
    for (int32_t dy = 0; dy < 2; ++dy) {
      for (int32_t dx = 0; dx < 2; ++dx) canvas.Set(x + dx, row + dy, light);
    }
  }
}

void PaintDoor(ColourCanvas& canvas, int32_t left) {
  for (int32_t y = GroundTop - 6; y < GroundTop; ++y) {
    for (int32_t x = left; x < left + 4; ++x) canvas.Set(x, y, Level(5, 4, 2));
  }
  // Its light spills onto the ground in front.
  for (int32_t y = GroundTop; y < GroundTop + 4; ++y) {
    for (int32_t x = left - 1; x < left + 5; ++x) canvas.Blend(x, y, Level(5, 4, 2), 0.35f);
  }
}

void PaintCupola(ColourCanvas& canvas, int32_t centre, int32_t base) {
  for (int32_t y = base - 4; y <= base; ++y) {
    for (int32_t x = centre - 5; x <= centre + 5; ++x) {
      const float across = static_cast<float>(x - centre) / 5;
      const float down = static_cast<float>(y - base) / 4;
      if (across * across + down * down > 1) continue;
      canvas.Set(x, y, down < -0.5f && across > 0 ? Level(3, 5, 5) : Level(0, 3, 3));
    }
  }
}

// A tube with ribs between two domes.
void PaintTube(ColourCanvas& canvas, int32_t left, int32_t right, int32_t top) {
  for (int32_t x = left; x <= right; ++x) {
    const bool rib = (x - left) % 3 == 0;
    for (int32_t y = 0; y < 4; ++y) {
      const size_t step = rib ? 3 - static_cast<size_t>(y) / 2 : 3 - static_cast<size_t>(y);
      canvas.Set(x, top + y, Steel[step]);
    }
  }
}

// Two legs braced by crosses every eight rows, a deck and the beacon.
void PaintTower(ColourCanvas& canvas, int32_t centre, int32_t top) {
  for (int32_t y = top; y < GroundTop; ++y) {
    const int32_t spread = 1 + (y - top) / 12;
    canvas.Set(centre - spread, y, Steel[2]);
    canvas.Set(centre + spread, y, Steel[4]);
    const int32_t step = (y - top) % 8;
    if (step < 2 * spread + 1) {
      canvas.Set(centre - spread + step, y, Steel[2]);
      canvas.Set(centre + spread - step, y, Steel[2]);
    }
  }
  for (int32_t x = centre - 4; x <= centre + 4; ++x) {
    canvas.Set(x, top, Steel[4]);
    canvas.Set(x, top + 1, Steel[1]);
  }
  PaintGlow(canvas, static_cast<float>(centre), static_cast<float>(top - 2), 7,
            Rgb{1.0f, 0.2f, 0.1f}, 0.7f);
  canvas.Set(centre, top - 2, Level(5, 1, 0));
  canvas.Set(centre, top - 1, Level(5, 3, 2));
}

// A dish on a short mast, open to the sky on the left.
void PaintDish(ColourCanvas& canvas, int32_t x, int32_t y) {
  for (int32_t i = 0; i < 5; ++i) canvas.Set(x, y + i, Steel[2]);
  constexpr int32_t Bowl[][2] = {{-4, -3}, {-3, -2}, {-2, -1}, {-1, -1}, {0, 0}, {1, 0},
                                 {-4, -4}, {-5, -5}, {-3, -3}, {-2, -2}, {-1, 0}};
  for (const auto& [dx, dy] : Bowl) canvas.Set(x + dx, y + dy, Steel[4]);
  canvas.Set(x - 3, y - 5, Level(5, 5, 5));
}

}  // namespace

void PaintGlow(ColourCanvas& canvas, float x, float y, float radius, Rgb colour, float strength) {
  const auto reach = static_cast<int32_t>(std::ceil(radius));
  const auto cx = static_cast<int32_t>(std::lround(x));
  const auto cy = static_cast<int32_t>(std::lround(y));
  for (int32_t dy = -reach; dy <= reach; ++dy) {
    for (int32_t dx = -reach; dx <= reach; ++dx) {
      const float distance = std::hypot(static_cast<float>(dx), static_cast<float>(dy)) / radius;
      if (distance < 1) canvas.Blend(cx + dx, cy + dy, colour, strength * (1 - distance));
    }
  }
}

void PaintOutpost(ColourCanvas& canvas) {
  constexpr Dome Hall = {285, 23, 19};
  constexpr Dome Lab = {250, 11, 10};
  PaintTower(canvas, 312, 122);
  PaintTube(canvas, Lab.x + 8, Hall.x - 20, GroundTop - 6);
  PaintDish(canvas, Lab.x - 2, GroundTop - Lab.radiusY - 4);
  PaintDomeShell(canvas, Lab);
  PaintWindows(canvas, Lab, 1);
  PaintDomeShell(canvas, Hall);
  PaintCupola(canvas, Hall.x, GroundTop - Hall.radiusY);
  PaintWindows(canvas, Hall, 2);
  PaintDoor(canvas, Hall.x + 6);
  // Landing lights along the ground in front.
  for (int32_t x = 244; x < 320; x += 9) {
    canvas.Set(x, GroundTop + 4, Level(1, 4, 5));
    PaintGlow(canvas, static_cast<float>(x), static_cast<float>(GroundTop + 4), 3,
              Rgb{0.2f, 0.7f, 0.9f}, 0.35f);
  }
}

}  // namespace zorbulant::tools
