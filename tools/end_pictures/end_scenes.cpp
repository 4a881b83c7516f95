// The three end pictures: painted in full colour on a 320 x 200 canvas, then
// dithered into the colour cube at the left of a 1280 x 200 picture.
#include "end_pictures/end_scenes.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "end_pictures/paint_canvas.h"
#include "end_pictures/pixel_font.h"

namespace zorbulant::tools {

namespace {

constexpr int Width = 320;
constexpr int Height = 200;
constexpr float Pi = 3.14159265f;

float ToFloat(int value) { return static_cast<float>(value); }

struct Stop {
  float at;  // 0 to 1 down the range
  Colour colour;
};

// The colour at `t` of a gradient through `stops` (in order of `at`).
Colour Gradient(const std::vector<Stop>& stops, float t) {
  if (t <= stops.front().at) return stops.front().colour;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const float span = stops[i].at - stops[i - 1].at;
      return Blend(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / span);
    }
  }
  return stops.back().colour;
}

void PaintSky(PaintCanvas& canvas, int top, int bottom, const std::vector<Stop>& stops) {
  for (int y = top; y < bottom; ++y) {
    const Colour colour = Gradient(stops, ToFloat(y - top) / ToFloat(bottom - top));
    for (int x = 0; x < Width; ++x) canvas.Set(x, y, colour);
  }
}

// Stars thinning towards `bottom`; a few bright ones get a cross of light.
void PaintStars(PaintCanvas& canvas, uint32_t seed, int count, int bottom) {
  Scatter scatter(seed);
  for (int i = 0; i < count; ++i) {
    const int x = scatter.Below(Width);
    const int y = scatter.Below(bottom);
    const float fade = 1 - ToFloat(y) / ToFloat(bottom);
    const float brightness = (0.35f + 0.65f * scatter.Unit()) * fade;
    const Colour star = Blend(Rgb(180, 190, 255), Rgb(255, 250, 230), scatter.Unit());
    canvas.Mix(x, y, star, brightness);
    if (scatter.Below(9) == 0) {
      for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        canvas.Mix(x + dx, y + dy, star, brightness * 0.5f);
      }
    }
  }
}

// A skyline: for each column the height of a ridge made of a few waves.
std::vector<int> Ridge(int base, float amplitude, float phase, uint32_t seed) {
  Scatter scatter(seed);
  std::vector<int> heights(Width);
  const float f1 = 0.013f + 0.01f * scatter.Unit();
  const float f2 = 0.041f + 0.02f * scatter.Unit();
  for (int x = 0; x < Width; ++x) {
    const float fx = ToFloat(x);
    const float wave = std::sin(fx * f1 + phase) * 0.6f + std::sin(fx * f2 + phase * 2.3f) * 0.3f +
                       std::sin(fx * 0.17f + phase) * 0.1f;
    heights[x] = base - static_cast<int>(amplitude * wave);
  }
  return heights;
}

void PaintRidge(PaintCanvas& canvas, const std::vector<int>& heights, Colour top, Colour bottom) {
  for (int x = 0; x < Width; ++x) {
    for (int y = heights[x]; y < Height; ++y) {
      canvas.Set(x, y, Blend(top, bottom, std::min(1.0f, ToFloat(y - heights[x]) / 40)));
    }
  }
}

// A soft round glow added over what is there.
void PaintGlow(PaintCanvas& canvas, float cx, float cy, float radius, Colour colour,
               float strength) {
  canvas.FillEllipse(cx, cy, radius, radius, [&](int x, int y, float dx, float dy) {
    const float d = std::sqrt(dx * dx + dy * dy);
    canvas.Mix(x, y, colour, strength * (1 - d) * (1 - d));
  });
}

// A character picture: each letter a colour from `legend`, '.' nothing,
// drawn `scale` times its size with its top left at (left, top).
void PaintPixelArt(PaintCanvas& canvas, const std::vector<std::string_view>& rows,
                   const std::vector<std::pair<char, Colour>>& legend, int left, int top,
                   int scale) {
  for (size_t row = 0; row < rows.size(); ++row) {
    for (size_t column = 0; column < rows[row].size(); ++column) {
      const char letter = rows[row][column];
      for (const auto& [key, colour] : legend) {
        if (key != letter) continue;
        canvas.FillRect(left + static_cast<int>(column) * scale,
                        top + static_cast<int>(row) * scale, scale, scale, colour);
      }
    }
  }
}

// --- the finale --------------------------------------------------------------

// The gas giant and its rings, tilted; the rings' far half is painted before
// the planet and their near half after it.
void PaintRingedPlanet(PaintCanvas& canvas, float cx, float cy, float radius) {
  const float tilt = -0.3f;
  const float ringX = radius * 2.3f;
  const float ringY = radius * 0.42f;
  auto ring = [&](bool nearHalf) {
    for (int y = static_cast<int>(cy - ringX); y <= static_cast<int>(cy + ringX); ++y) {
      for (int x = static_cast<int>(cx - ringX); x <= static_cast<int>(cx + ringX); ++x) {
        const float px = ToFloat(x) + 0.5f - cx;
        const float py = ToFloat(y) + 0.5f - cy;
        const float u = px * std::cos(tilt) + py * std::sin(tilt);
        const float v = -px * std::sin(tilt) + py * std::cos(tilt);
        if ((v > 0) != nearHalf) continue;
        const float r = std::sqrt((u / ringX) * (u / ringX) + (v / ringY) * (v / ringY));
        if (r < 0.6f || r > 1.0f) continue;
        if (r > 0.80f && r < 0.83f) continue;  // the gap between the rings
        const float band = 0.55f + 0.45f * std::sin(r * 60);
        const Colour colour = Blend(Rgb(150, 110, 90), Rgb(235, 215, 180), band);
        const float edge = std::min({(r - 0.6f) / 0.05f, (1.0f - r) / 0.05f, 1.0f});
        canvas.Mix(x, y, colour, 0.85f * edge);
      }
    }
  };
  ring(false);
  canvas.FillEllipse(cx, cy, radius, radius, [&](int x, int y, float dx, float dy) {
    const float z = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
    const float light = std::clamp(-0.55f * dx - 0.45f * dy + 0.7f * z, 0.0f, 1.0f);
    const float bands = 0.5f + 0.5f * std::sin(dy * 13 + std::sin(dx * 4 + dy * 2) * 0.8f);
    Colour colour = Blend(Rgb(190, 110, 60), Rgb(245, 205, 140), bands);
    if (std::abs(dy - 0.28f) < 0.07f && dx > -0.1f && dx < 0.3f) {
      colour = Blend(colour, Rgb(200, 70, 40), 0.7f);  // a storm
    }
    colour = Blend(Rgb(20, 10, 40), colour, 0.15f + 0.85f * light);
    canvas.Set(x, y, colour);
  });
  ring(true);
}

void PaintMoon(PaintCanvas& canvas, float cx, float cy, float radius) {
  canvas.FillEllipse(cx, cy, radius, radius, [&](int x, int y, float dx, float dy) {
    const float z = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
    const float light = std::clamp(-0.8f * dx - 0.2f * dy + 0.5f * z, 0.0f, 1.0f);
    canvas.Set(x, y, Blend(Rgb(30, 30, 60), Rgb(200, 215, 235), light));
  });
}

// The citadel on the far ridge: black towers with spires against the glow of
// its fires, smoke rolling away to the right.
void PaintBurningCitadel(PaintCanvas& canvas, int base) {
  struct Tower {
    int left, width, height;
    bool spire;
  };
  const Tower towers[] = {{26, 10, 30, true},  {38, 16, 20, false}, {56, 8, 42, true},
                          {66, 18, 26, false}, {86, 9, 34, true},   {97, 14, 16, false}};
  PaintGlow(canvas, 66, ToFloat(base - 4), 70, Rgb(255, 110, 40), 0.6f);
  // The smoke first, so the towers stand in front of it.
  Scatter scatter(11);
  for (int i = 0; i < 30; ++i) {
    const float t = ToFloat(i) / 30;
    const float cx = 58 + t * 100 + 8 * scatter.Unit();
    const float cy = ToFloat(base) - 44 - t * 62 + 8 * scatter.Unit();
    const float r = 7 + t * 15;
    canvas.FillEllipse(cx, cy, r, r * 0.7f, [&](int x, int y, float dx, float dy) {
      const float d = std::sqrt(dx * dx + dy * dy);
      const Colour smoke = Blend(Rgb(150, 90, 90), Rgb(90, 70, 100), t);
      canvas.Mix(x, y, smoke, 0.45f * (1 - d) * (1 - t * 0.5f));
    });
  }
  const Colour stone = Rgb(24, 10, 24);
  for (const Tower& tower : towers) {
    const int top = base - tower.height;
    canvas.FillRect(tower.left, top, tower.width, tower.height + 8, stone);
    if (tower.spire) {
      for (int row = 0; row < tower.width; ++row) {
        const int inset = (tower.width - 1 - row) / 2;
        canvas.FillRect(tower.left + inset, top - tower.width + row, tower.width - 2 * inset, 1,
                        stone);
      }
    } else {
      for (int x = tower.left; x < tower.left + tower.width; x += 4) {
        canvas.FillRect(x, top - 3, 2, 3, stone);  // battlements
      }
    }
    // Fire on the side facing the glow, windows lit from inside.
    canvas.FillRect(tower.left + tower.width - 1, top + 2, 1, tower.height - 2, Rgb(120, 40, 30));
    for (int y = top + 5; y < base - 4; y += 7) {
      canvas.FillRect(tower.left + tower.width / 2 - 1, y, 2, 3, Rgb(255, 170, 60));
    }
  }
  // Flames licking the tower feet.
  for (int i = 0; i < 50; ++i) {
    const int x = 24 + scatter.Below(92);
    const int h = 2 + scatter.Below(10);
    for (int y = 0; y < h; ++y) {
      canvas.Mix(x, base - y, Blend(Rgb(255, 230, 120), Rgb(255, 80, 20), ToFloat(y) / ToFloat(h)),
                 0.9f);
    }
  }
}

void PaintHero(PaintCanvas& canvas, int left, int top) {
  // Standing on the crag with the pistol raised, the planet lighting his
  // right side.
  const std::vector<std::string_view> hero = {
      "..........wW..",  //
      "..........wW..",  //
      ".....hhh..gG..",  //
      "....hHHHh.gG..",  //
      "....hvVvh.gg..",  //
      "....hhhhh.g...",  //
      ".....hhh.gg...",  //
      "...ggGGGGgg...",  //
      "..gGGGGGGGg...",  //
      "..gGgGGGGg....",  //
      "..gG.gGGGg....",  //
      "..gG.gGGGg....",  //
      "..gG.gGGGg....",  //
      "..ww.gGGGg....",  //
      ".....bbbbb....",  //
      ".....gGGGg....",  //
      "....gGg.gGg...",  //
      "....gGg.gGg...",  //
      "....gGg.gGg...",  //
      "....gGg.gGg...",  //
      "....gGg.gGg...",  //
      "....gGg.gGg...",  //
      "...kkkk.kkkk..",  //
      "...kkkk.kkkk..",  //
  };
  const std::vector<std::pair<char, Colour>> legend = {
      {'g', Rgb(20, 90, 40)},    {'G', Rgb(60, 170, 70)},   {'h', Rgb(30, 110, 60)},
      {'H', Rgb(110, 200, 110)}, {'v', Rgb(40, 200, 220)},  {'V', Rgb(200, 255, 255)},
      {'w', Rgb(200, 200, 210)}, {'W', Rgb(255, 255, 255)}, {'b', Rgb(110, 70, 30)},
      {'k', Rgb(40, 40, 48)},
  };
  // A dark rim round the figure first, so it stands out of the crag.
  for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
    std::vector<std::pair<char, Colour>> rim;
    for (const auto& [key, colour] : legend) rim.push_back({key, Rgb(8, 4, 10)});
    PaintPixelArt(canvas, hero, rim, left + dx, top + dy, 2);
  }
  PaintPixelArt(canvas, hero, legend, left, top, 2);
}

}  // namespace

IndexedPicture FinaleScene() {
  PaintCanvas canvas(Width, Height, Rgb(0, 0, 0));
  PaintSky(canvas, 0, Height,
           {{0.0f, Rgb(4, 4, 24)},
            {0.45f, Rgb(34, 18, 74)},
            {0.70f, Rgb(120, 50, 110)},
            {0.80f, Rgb(235, 130, 90)},
            {1.0f, Rgb(255, 200, 120)}});
  PaintStars(canvas, 7, 170, 130);
  PaintMoon(canvas, 58, 58, 8);
  PaintRingedPlanet(canvas, 232, 66, 34);
  PaintRidge(canvas, Ridge(150, 9, 0.7f, 3), Rgb(92, 44, 92), Rgb(70, 34, 74));
  PaintBurningCitadel(canvas, 146);
  PaintRidge(canvas, Ridge(166, 7, 2.1f, 5), Rgb(44, 22, 50), Rgb(30, 16, 36));
  // The crag in front, the hero on its top.
  std::vector<int> crag(Width);
  for (int x = 0; x < Width; ++x) {
    const float fx = ToFloat(x);
    const float hump = std::exp(-((fx - 168) * (fx - 168)) / 900);
    crag[x] = 184 - static_cast<int>(14 * hump + 2 * std::sin(fx * 0.3f));
  }
  PaintRidge(canvas, crag, Rgb(28, 14, 30), Rgb(10, 6, 12));
  for (int x = 140; x < 200; ++x) canvas.Mix(x, crag[x], Rgb(255, 160, 110), 0.5f);  // rim light
  PaintHero(canvas, 154, crag[168] - 48);

  const TextStyle gold{2, 1, Rgb(255, 245, 140), Rgb(235, 120, 30), Rgb(40, 12, 0)};
  PaintTextCentred(canvas, "MISSION ACCOMPLISHED", 160, 8, gold);
  const TextStyle caption{1, 1, Rgb(255, 230, 220), Rgb(230, 190, 200), Rgb(30, 10, 30), false};
  PaintTextCentred(canvas, "THE CITADEL HAS FALLEN. ZORBULANT IS FREE.", 160, 28, caption);
  const TextStyle silver{3, 1, Rgb(255, 255, 255), Rgb(150, 170, 210), Rgb(10, 10, 30)};
  PaintText(canvas, "THE END", 12, 170, silver);
  return canvas.ToCube(EndPictureWidth, EndPictureHeight);
}

// --- the transmission ----------------------------------------------------------

IndexedPicture TransmissionScene() {
  PaintCanvas canvas(Width, Height, Rgb(0, 0, 0));
  PaintSky(canvas, 0, Height, {{0.0f, Rgb(6, 12, 18)}, {1.0f, Rgb(22, 32, 40)}});
  // Wall panels behind the console.
  for (int x = 4; x < Width; x += 52) {
    canvas.FillRect(x, 34, 48, 124, Rgb(18, 28, 34));
    canvas.FillRect(x, 34, 48, 1, Rgb(40, 56, 64));
    canvas.FillRect(x, 34, 1, 124, Rgb(34, 48, 56));
  }
  // The monitor: a bezel, the screen with its glow and scan lines.
  canvas.FillRect(36, 38, 248, 126, Rgb(70, 76, 84));
  canvas.FillRect(36, 38, 248, 2, Rgb(130, 136, 144));
  canvas.FillRect(38, 160, 244, 4, Rgb(40, 44, 50));
  for (int y = 46; y < 156; ++y) {
    for (int x = 44; x < 276; ++x) {
      const float dx = (ToFloat(x) - 160) / 116;
      const float dy = (ToFloat(y) - 101) / 55;
      const float vignette = 1 - 0.55f * (dx * dx + dy * dy);
      Colour screen = Blend(Rgb(0, 0, 0), Rgb(8, 46, 24), vignette);
      if (y % 2 == 1) screen = Blend(screen, Rgb(0, 0, 0), 0.35f);
      canvas.Set(x, y, screen);
    }
  }
  // The waveform of the signal.
  Scatter scatter(5);
  int lastY = 70;
  for (int x = 50; x < 270; ++x) {
    const float fx = ToFloat(x);
    const float envelope = std::sin((fx - 50) / 220 * Pi);
    const float wave = std::sin(fx * 0.35f) * std::sin(fx * 0.045f) * 13 * envelope;
    const int y = 70 + static_cast<int>(wave) + (scatter.Below(12) == 0 ? scatter.Below(7) - 3 : 0);
    for (int yy = std::min(y, lastY); yy <= std::max(y, lastY); ++yy) {
      canvas.Set(x, yy, Rgb(150, 255, 170));
      canvas.Mix(x, yy - 1, Rgb(60, 200, 100), 0.5f);
      canvas.Mix(x, yy + 1, Rgb(60, 200, 100), 0.5f);
    }
    lastY = y;
  }
  canvas.FillRect(50, 90, 220, 1, Rgb(30, 110, 60));
  const TextStyle screenText{1, 1, Rgb(130, 255, 150), Rgb(90, 220, 120), Rgb(4, 30, 14), false};
  PaintText(canvas, "SIGNAL  CH 7   DECODED", 54, 96, screenText);
  PaintText(canvas, "> THE WARDEN GUARDS THE CORE", 54, 108, screenText);
  PaintText(canvas, "> SEAL THE CITADEL GATES", 54, 118, screenText);
  PaintText(canvas, "> NO ONE GETS THROUGH", 54, 128, screenText);
  canvas.FillRect(54, 139, 5, 7, Rgb(130, 255, 150));  // the cursor
  // The glass shines a little at the top left.
  for (int i = 0; i < 40; ++i)
    canvas.Mix(48 + i, 50, Rgb(200, 255, 220), 0.25f * (1 - ToFloat(i) / 40));
  // The console desk with its lamps and dials.
  canvas.FillRect(0, 168, Width, 32, Rgb(46, 50, 58));
  canvas.FillRect(0, 168, Width, 2, Rgb(96, 104, 112));
  const Colour lamps[] = {Rgb(255, 60, 40), Rgb(255, 190, 40), Rgb(60, 255, 90), Rgb(60, 160, 255)};
  for (int i = 0; i < 24; ++i) {
    const int x = 12 + i * 13;
    const Colour lamp = lamps[scatter.Below(4)];
    canvas.FillRect(x, 176, 4, 3, lamp);
    PaintGlow(canvas, ToFloat(x + 2), 177, 5, lamp, 0.4f);
    if (i % 3 == 0) {
      canvas.FillEllipse(ToFloat(x + 2), 190, 4, 4, [&](int px, int py, float dx, float dy) {
        canvas.Set(px, py, Blend(Rgb(30, 32, 36), Rgb(150, 156, 166), 0.5f - 0.5f * (dx + dy)));
      });
    }
  }
  const TextStyle amber{2, 1, Rgb(255, 230, 120), Rgb(240, 140, 30), Rgb(40, 16, 0)};
  PaintTextCentred(canvas, "TRANSMISSION INTERCEPTED", 160, 12, amber);
  return canvas.ToCube(EndPictureWidth, EndPictureHeight);
}

// --- the reactor -------------------------------------------------------------------

IndexedPicture ReactorScene() {
  PaintCanvas canvas(Width, Height, Rgb(0, 0, 0));
  PaintSky(canvas, 0, Height,
           {{0.0f, Rgb(6, 6, 14)}, {0.8f, Rgb(24, 22, 34)}, {1.0f, Rgb(16, 14, 22)}});
  // Girders in the dark behind.
  for (int x = 10; x < Width; x += 60) {
    canvas.FillRect(x, 30, 6, 150, Rgb(26, 26, 38));
    for (int y = 36; y < 176; y += 24) {
      for (int i = 0; i < 24; ++i) {
        canvas.Mix(x + 6 + i * 2, y + i, Rgb(26, 26, 38), 1);
        canvas.Mix(x + 7 + i * 2, y + i, Rgb(26, 26, 38), 1);
      }
    }
  }
  // Pipes into the core from both sides.
  for (const int y : {70, 120}) {
    canvas.FillRect(0, y, Width, 10, Rgb(60, 64, 76));
    canvas.FillRect(0, y, Width, 2, Rgb(110, 116, 130));
    canvas.FillRect(0, y + 8, Width, 2, Rgb(30, 32, 40));
  }
  // The reactor: a ribbed cylinder, its glass slot holding the last blue glow.
  const int left = 112;
  const int right = 208;
  for (int x = left; x < right; ++x) {
    const float u = (ToFloat(x - left) + 0.5f) / ToFloat(right - left) * 2 - 1;
    const float light = std::sqrt(std::max(0.0f, 1 - u * u)) * (0.8f - 0.3f * u);
    Colour metal = Blend(Rgb(20, 22, 30), Rgb(150, 156, 176), light);
    if ((x - left) % 12 < 2) metal = Blend(metal, Rgb(10, 10, 16), 0.5f);
    for (int y = 44; y < 172; ++y) canvas.Set(x, y, metal);
  }
  canvas.FillEllipse(160, 44, 48, 10, [&](int x, int y, float dx, float dy) {
    canvas.Set(x, y, Blend(Rgb(50, 54, 66), Rgb(170, 176, 196), 0.5f - 0.4f * dy - 0.1f * dx));
  });
  for (int y = 62; y < 154; ++y) {
    for (int x = 146; x < 174; ++x) {
      const float t = ToFloat(y - 62) / 92;
      const float u = std::abs(ToFloat(x) - 159.5f) / 14;
      // Dark above, a dying blue ember at the bottom of the slot.
      Colour glass = Blend(Rgb(4, 8, 20), Rgb(40, 120, 220), t * t * (1 - u * 0.7f));
      if ((x + y) % 9 == 0) glass = Blend(glass, Rgb(120, 200, 255), 0.15f * t);
      canvas.Set(x, y, glass);
    }
  }
  canvas.FillRect(144, 60, 32, 2, Rgb(180, 186, 200));
  canvas.FillRect(144, 154, 32, 2, Rgb(40, 44, 56));
  PaintGlow(canvas, 160, 150, 34, Rgb(60, 140, 255), 0.35f);
  // Warning stripes at the foot.
  for (int y = 160; y < 172; ++y) {
    for (int x = left; x < right; ++x) {
      canvas.Set(x, y, ((x + y) / 6) % 2 == 0 ? Rgb(240, 200, 30) : Rgb(20, 20, 20));
    }
  }
  // Steam from the vents, cooling.
  Scatter scatter(9);
  for (int i = 0; i < 30; ++i) {
    const float t = ToFloat(i) / 30;
    const float side = i % 2 == 0 ? -1.0f : 1.0f;
    const float cx = 160 + side * (40 + t * 70) + 8 * scatter.Unit();
    const float cy = 40 - t * 30 + 10 * scatter.Unit();
    const float r = 8 + t * 14;
    canvas.FillEllipse(cx, cy, r, r * 0.6f, [&](int x, int y, float dx, float dy) {
      const float d = std::sqrt(dx * dx + dy * dy);
      canvas.Mix(x, y, Rgb(200, 210, 230), 0.3f * (1 - d) * (1 - t * 0.5f));
    });
  }
  // The floor grating.
  canvas.FillRect(0, 172, Width, 28, Rgb(34, 34, 44));
  for (int x = 0; x < Width; x += 8) canvas.FillRect(x, 172, 1, 28, Rgb(18, 18, 24));
  for (int y = 176; y < Height; y += 6) canvas.FillRect(0, y, Width, 1, Rgb(18, 18, 24));
  canvas.FillRect(0, 172, Width, 1, Rgb(90, 94, 110));
  // The status panels: every bar run down, the lamps red.
  for (const int panel : {14, 240}) {
    canvas.FillRect(panel, 92, 66, 56, Rgb(30, 34, 42));
    canvas.FillRect(panel, 92, 66, 1, Rgb(90, 96, 110));
    for (int bar = 0; bar < 5; ++bar) {
      const int x = panel + 6 + bar * 12;
      canvas.FillRect(x, 100, 8, 34, Rgb(10, 12, 16));
      const int level = 2 + (bar * 5 + panel) % 6;
      canvas.FillRect(x, 134 - level, 8, level, Rgb(60, 140, 255));
    }
    canvas.FillRect(panel + 6, 138, 54, 6, Rgb(90, 10, 10));
    const TextStyle red{1, 1, Rgb(255, 90, 70), Rgb(255, 60, 40), Rgb(40, 0, 0), false};
    PaintTextCentred(canvas, "OFFLINE", panel + 33, 138, red);
  }
  const TextStyle ice{2, 1, Rgb(235, 250, 255), Rgb(110, 170, 240), Rgb(0, 10, 40)};
  PaintTextCentred(canvas, "REACTOR SHUT DOWN", 160, 10, ice);
  const TextStyle caption{1, 1, Rgb(220, 230, 255), Rgb(180, 200, 240), Rgb(0, 6, 24), false};
  PaintTextCentred(canvas, "THE CITADEL'S SHIELDS ARE DOWN", 160, 184, caption);
  return canvas.ToCube(EndPictureWidth, EndPictureHeight);
}

}  // namespace zorbulant::tools
