// The night sky, its stars, the ringed planet and the moon.
#include "start_pictures/night_sky.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "start_pictures/menu_layout.h"
#include "start_pictures/scatter.h"

namespace zorbulant::tools {

namespace {

struct SkyKey {
  float row;
  Rgb colour;
};
// No red at all, so the red letters of the texts stand clear of it; the
// teal glow starts below the configuration lines' middle.
constexpr SkyKey SkyKeys[] = {
    {0, {0.0f, 0.0f, 0.08f}},
    {70, {0.0f, 0.03f, 0.22f}},
    {125, {0.0f, 0.14f, 0.32f}},
    {165, {0.0f, 0.34f, 0.42f}},
};

Rgb SkyColour(float row) {
  for (size_t i = 1; i < std::size(SkyKeys); ++i) {
    if (row <= SkyKeys[i].row) {
      const SkyKey& from = SkyKeys[i - 1];
      const SkyKey& to = SkyKeys[i];
      return Mix(from.colour, to.colour, (row - from.row) / (to.row - from.row));
    }
  }
  return SkyKeys[std::size(SkyKeys) - 1].colour;
}

bool UnderText(uint32_t x, uint32_t y) {
  return x > menu_layout::TitleStripRight && x < menu_layout::TextRight &&
         y < menu_layout::TextBottom;
}

struct Sphere {
  float x;
  float y;
  float radius;
};
struct Direction {
  float x;
  float y;
  float z;  // towards the viewer
};
// The sun stands to the upper left of the planet, and behind the moon.
constexpr Direction PlanetSun = {-0.62f, -0.38f, 0.69f};
constexpr Direction MoonSun = {-0.9f, -0.3f, -0.3f};

// The light's strength on the ball at (x, y), or a negative value outside
// it; `across` and `down` receive the point's place on the ball, -1 to 1.
float Lambert(const Sphere& sphere, const Direction& sun, float x, float y, float& across,
              float& down) {
  across = (x - sphere.x) / sphere.radius;
  down = (y - sphere.y) / sphere.radius;
  const float depth = 1 - across * across - down * down;
  if (depth < 0) return -1;
  return std::max(0.0f, across * sun.x + down * sun.y + std::sqrt(depth) * sun.z);
}

constexpr Sphere Planet = {289, 42, 19};
// The ring's long axis falls towards the left, away from the titles' ends.
constexpr float RingTilt = -0.35f;
constexpr float RingInner = 24;
constexpr float RingOuter = 37;
constexpr float RingFlatness = 0.27f;

// Calls `paint` for each pixel of the square round a ball or ring.
template <typename Paint>
void ForEachAround(float x, float y, float reach, Paint paint) {
  for (auto row = static_cast<int32_t>(y - reach); row <= static_cast<int32_t>(y + reach); ++row) {
    for (auto column = static_cast<int32_t>(x - reach); column <= static_cast<int32_t>(x + reach);
         ++column)
      paint(column, row);
  }
}

void PaintRingHalf(ColourCanvas& canvas, bool nearHalf) {
  const float cosine = std::cos(RingTilt);
  const float sine = std::sin(RingTilt);
  ForEachAround(Planet.x, Planet.y, RingOuter, [&](int32_t x, int32_t y) {
    const float dx = static_cast<float>(x) - Planet.x;
    const float dy = static_cast<float>(y) - Planet.y;
    const float along = dx * cosine + dy * sine;
    const float across = -dx * sine + dy * cosine;
    if ((across > 0) != nearHalf) return;
    const float radius = std::hypot(along, across / RingFlatness);
    if (radius < RingInner || radius > RingOuter) return;
    const float band = (radius - RingInner) / (RingOuter - RingInner);
    if (band > 0.38f && band < 0.46f) return;  // the gap between the two rings
    const float fine = 0.08f * std::sin(radius * 2.7f);
    const Rgb colour = band < 0.38f ? Rgb{0.55f + fine, 0.45f + fine, 0.38f}
                                    : Rgb{0.88f + fine, 0.78f + fine, 0.58f};
    // The sunlit side is the left; the ring dims towards the right.
    const float light = 0.55f + 0.45f * std::clamp(-along / RingOuter, -1.0f, 1.0f);
    canvas.Blend(x, y, Mix(Rgb{0.02f, 0.02f, 0.08f}, colour, light), band < 0.38f ? 0.6f : 0.9f);
  });
}

void PaintGlobe(ColourCanvas& canvas) {
  const float sine = std::sin(RingTilt);
  const float cosine = std::cos(RingTilt);
  ForEachAround(Planet.x, Planet.y, Planet.radius, [&](int32_t x, int32_t y) {
    float across = 0;
    float down = 0;
    const float light =
        Lambert(Planet, PlanetSun, static_cast<float>(x), static_cast<float>(y), across, down);
    if (light < 0) return;
    // Cloud bands run parallel to the ring, with a slow swirl.
    const float latitude = -across * sine + down * cosine;
    const float band = 0.5f + 0.5f * std::sin(latitude * 11 + 0.7f * std::sin(across * 4));
    const Rgb cloud = Mix(Rgb{0.95f, 0.62f, 0.35f}, Rgb{0.62f, 0.30f, 0.32f}, band);
    Rgb colour = Mix(Rgb{0.03f, 0.03f, 0.1f}, cloud, 0.06f + 0.94f * light);
    const float edge = across * across + down * down;
    if (edge > 0.8f && light > 0.2f) colour = Mix(colour, Rgb{0.5f, 0.85f, 0.9f}, 0.45f);
    canvas.Set(x, y, colour);
  });
}

}  // namespace

void PaintSky(ColourCanvas& canvas) {
  for (uint32_t y = 0; y < canvas.height(); ++y) {
    const Rgb colour = SkyColour(static_cast<float>(y));
    for (uint32_t x = 0; x < canvas.width(); ++x) canvas.at(x, y) = colour;
  }
}

// Stars thin out towards the horizon; over the texts only dim ones shine and
// the bright ones with their glints keep to the edges.
void PaintStars(ColourCanvas& canvas) {
  constexpr float StarfieldBottom = 160;  // the highest far peaks hide the rest
  for (uint32_t star = 0; star < 260; ++star) {
    const auto x = static_cast<uint32_t>(Random(star * 3) * static_cast<float>(canvas.width()));
    const auto y = static_cast<uint32_t>(std::pow(Random(star * 3 + 1), 1.6f) * StarfieldBottom);
    const float brightness = Random(star * 3 + 2);
    const bool quiet = UnderText(x, y);
    const auto ix = static_cast<int32_t>(x);
    const auto iy = static_cast<int32_t>(y);
    if (brightness > 0.93f && !quiet) {
      for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        canvas.Set(ix + dx, iy + dy, Level(2, 2, 4));
      canvas.Set(ix, iy, Level(5, 5, 5));
    } else if (brightness > 0.7f && !quiet) {
      canvas.Set(ix, iy, star % 3 == 0 ? Level(5, 5, 3) : Level(4, 4, 5));
    } else if (brightness > 0.35f) {
      canvas.Set(ix, iy, Level(2, 2, 3));
    } else {
      canvas.Set(ix, iy, Level(1, 1, 3));
    }
  }
}

// A faint band of the galaxy across the sky, falling to the right: a glow
// and many dim stars, none bright enough to trouble a text over them.
void PaintGalaxy(ColourCanvas& canvas) {
  auto centre = [](float x) { return 4 + 0.32f * x; };
  for (uint32_t y = 0; y < canvas.height(); ++y) {
    for (uint32_t x = 0; x < canvas.width(); ++x) {
      const float distance = (static_cast<float>(y) - centre(static_cast<float>(x))) / 14;
      Rgb& pixel = canvas.at(x, y);
      pixel = Mix(pixel, Rgb{0.1f, 0.12f, 0.35f}, 0.5f * std::exp(-distance * distance));
    }
  }
  for (uint32_t star = 0; star < 400; ++star) {
    const float x = Random(5000 + star * 3) * static_cast<float>(canvas.width());
    const float spread = (Random(5001 + star * 3) + Random(5002 + star * 3) - 1) * 24;
    canvas.Set(static_cast<int32_t>(x), static_cast<int32_t>(centre(x) + spread),
               star % 4 == 0 ? Level(2, 2, 3) : Level(1, 1, 3));
  }
}

void PaintRingedPlanet(ColourCanvas& canvas) {
  PaintRingHalf(canvas, false);
  PaintGlobe(canvas);
  PaintRingHalf(canvas, true);
}

// A thin crescent in the intro's empty band between its two texts.
void PaintMoon(ColourCanvas& canvas) {
  constexpr Sphere Moon = {232, (menu_layout::IntroGapTop + menu_layout::IntroGapBottom) / 2.0f, 6};
  ForEachAround(Moon.x, Moon.y, Moon.radius, [&](int32_t x, int32_t y) {
    float across = 0;
    float down = 0;
    const float light =
        Lambert(Moon, MoonSun, static_cast<float>(x), static_cast<float>(y), across, down);
    if (light >= 0)
      canvas.Set(x, y, Mix(Rgb{0.03f, 0.04f, 0.14f}, Rgb{0.85f, 0.9f, 0.95f}, std::sqrt(light)));
  });
}

}  // namespace zorbulant::tools
