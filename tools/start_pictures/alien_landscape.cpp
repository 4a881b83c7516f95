// Mountains as jagged ridge lines, lit on the slopes facing the planet.
#include "start_pictures/alien_landscape.h"

#include <algorithm>
#include <cmath>

#include "start_pictures/menu_layout.h"
#include "start_pictures/scatter.h"

namespace zorbulant::tools {

namespace {

struct Range {
  uint32_t seed;
  float baseline;  // the row of the lowest valleys
  float height;    // of the highest peaks above it
  float edgeRise;  // extra height towards the picture's sides, framing it
  Rgb body;
  Rgb rim;   // the slopes that face the planet, up right
  Rgb haze;  // what the foot fades into
};

float Skyline(const Range& range, float x) {
  const float side = std::abs(x - 160) / 160;
  const float rise =
      range.height * (0.7f * Ridge(range.seed, x, 31) + 0.22f * Ridge(range.seed + 1, x, 13) +
                      0.08f * Ridge(range.seed + 2, x, 5));
  return range.baseline - rise - range.edgeRise * side * side;
}

void PaintRange(ColourCanvas& canvas, const Range& range) {
  for (uint32_t x = 0; x < canvas.width(); ++x) {
    const float top = Skyline(range, static_cast<float>(x));
    // Downhill to the right faces the planet.
    const float slope = Skyline(range, static_cast<float>(x) + 1) - top;
    const float lit = std::clamp(slope, 0.0f, 2.0f) / 2;
    for (auto y = static_cast<uint32_t>(std::max(0.0f, std::ceil(top))); y < canvas.height(); ++y) {
      const float depth = static_cast<float>(y) - top;
      Rgb colour = Mix(range.body, range.haze,
                       std::clamp((static_cast<float>(y) - range.baseline + 12) / 24, 0.0f, 1.0f));
      if (depth < 4) colour = Mix(colour, range.rim, lit * (1 - depth / 4));
      canvas.at(x, y) = colour;
    }
  }
}

}  // namespace

void PaintFarMountains(ColourCanvas& canvas) {
  PaintRange(canvas,
             {11, 152, 40, 12, {0.0f, 0.06f, 0.18f}, {0.4f, 0.5f, 0.65f}, {0.0f, 0.24f, 0.33f}});
}

void PaintNearMountains(ColourCanvas& canvas) {
  PaintRange(canvas,
             {23, 180, 28, 36, {0.03f, 0.035f, 0.1f}, {0.2f, 0.28f, 0.4f}, {0.03f, 0.035f, 0.1f}});
}

void PaintGround(ColourCanvas& canvas) {
  for (auto y = static_cast<uint32_t>(GroundTop); y < menu_layout::CreditsTop; ++y) {
    for (uint32_t x = 0; x < canvas.width(); ++x) canvas.at(x, y) = Rgb{0.02f, 0.03f, 0.08f};
  }
  for (uint32_t x = 0; x < canvas.width(); ++x) {
    canvas.at(x, GroundTop) = Rgb{0.1f, 0.16f, 0.24f};
  }
}

}  // namespace zorbulant::tools
