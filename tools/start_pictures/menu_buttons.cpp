// Steel plates with a recessed screen showing the label; the back face shows
// it lit in amber, so the turning button flashes as it goes round.
#include "start_pictures/menu_buttons.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "start_pictures/colour_canvas.h"
#include "start_pictures/lettering.h"

namespace zorbulant::tools {

namespace {

constexpr uint32_t FaceHeight = 32;
constexpr int32_t Corner = 4;  // the plate's corners are cut off this far
constexpr int32_t ScreenInset = 5;

constexpr LetteringColours Amber = {Level(5, 5, 2), Level(5, 3, 0), Rgb{0.25f, 0.1f, 0.0f}};

// Whether (x, y) of a face lies on the plate, inside its cut corners.
bool OnPlate(int32_t x, int32_t y, int32_t width) {
  const int32_t fromLeft = x;
  const int32_t fromRight = width - 1 - x;
  const int32_t fromTop = y;
  const int32_t fromBottom = static_cast<int32_t>(FaceHeight) - 1 - y;
  return std::min(fromLeft, fromRight) + std::min(fromTop, fromBottom) >= Corner;
}

void PaintPlate(ColourCanvas& canvas, int32_t width, int32_t top) {
  const auto height = static_cast<int32_t>(FaceHeight);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (!OnPlate(x, y, width)) continue;
      const bool rim = !OnPlate(x - 1, y, width) || !OnPlate(x + 1, y, width) ||
                       !OnPlate(x, y - 1, width) || !OnPlate(x, y + 1, width);
      const bool lit = !OnPlate(x - 2, y, width) || !OnPlate(x, y - 2, width);
      const bool shaded = !OnPlate(x + 2, y, width) || !OnPlate(x, y + 2, width);
      Rgb colour = Mix(Rgb{0.62f, 0.66f, 0.74f}, Rgb{0.34f, 0.37f, 0.46f},
                       static_cast<float>(y) / static_cast<float>(height));
      if (lit) colour = Rgb{0.85f, 0.88f, 0.95f};
      if (shaded) colour = Rgb{0.18f, 0.2f, 0.28f};
      if (rim) colour = Rgb{};
      canvas.Set(x, top + y, colour);
    }
  }
  // Rivets near the corners.
  for (const int32_t x : {Corner - 1, width - Corner}) {
    for (const int32_t y : {3, height - 4}) {
      canvas.Set(x - 1, top + y, Rgb{0.95f, 0.95f, 1.0f});
      canvas.Set(x, top + y, Rgb{0.2f, 0.2f, 0.3f});
    }
  }
}

// The recess: a dark screen with faint scan lines of the label's colour,
// shadowed along its top and left and lit along its bottom and right.
void PaintScreen(ColourCanvas& canvas, int32_t width, int32_t top, Rgb scanLine) {
  const int32_t left = ScreenInset;
  const int32_t right = width - 1 - ScreenInset;
  const int32_t upper = top + ScreenInset;
  const int32_t lower = top + static_cast<int32_t>(FaceHeight) - 1 - ScreenInset;
  for (int32_t y = upper; y <= lower; ++y) {
    for (int32_t x = left; x <= right; ++x) {
      Rgb colour = (y - upper) % 2 == 0 ? Rgb{} : scanLine;
      if (y == upper || x == left) colour = Rgb{0.1f, 0.1f, 0.15f};
      if (y == lower || x == right) colour = Rgb{0.8f, 0.82f, 0.9f};
      canvas.Set(x, y, colour);
    }
  }
}

void PaintLabel(ColourCanvas& canvas, int32_t width, int32_t top, const Mask& label,
                const LetteringColours& colours) {
  const int32_t left = (width - static_cast<int32_t>(label.width)) / 2;
  const int32_t labelTop = top + (static_cast<int32_t>(FaceHeight - label.height)) / 2;
  PaintLettering(canvas, label, left, labelTop, colours);
}

// The plate is opaque: its black comes out as the palette's second black.
IndexedPicture Transparent(const ColourCanvas& canvas) {
  IndexedPicture picture = canvas.ToCube();
  for (uint32_t y = 0; y < picture.height; ++y) {
    for (uint32_t x = 0; x < picture.width; ++x) {
      const bool plate = OnPlate(static_cast<int32_t>(x), static_cast<int32_t>(y % FaceHeight),
                                 static_cast<int32_t>(picture.width));
      uint8_t& pixel = picture.at(x, y);
      if (!plate) {
        pixel = 0;
      } else if (pixel == 0) {
        pixel = 216;
      }
    }
  }
  return picture;
}

IndexedPicture LabelButton(uint32_t width, const char* text, const LetteringColours& front,
                           Rgb frontScanLine) {
  ColourCanvas canvas(width, 2 * FaceHeight, Rgb{});
  const auto w = static_cast<int32_t>(width);
  const Mask label = TextMask(text, 2, 3);
  PaintPlate(canvas, w, 0);
  PaintScreen(canvas, w, 0, frontScanLine);
  PaintLabel(canvas, w, 0, label, front);
  PaintPlate(canvas, w, FaceHeight);
  PaintScreen(canvas, w, FaceHeight, Level(1, 1, 0));
  PaintLabel(canvas, w, FaceHeight, label, Amber);
  return Transparent(canvas);
}

// A gear of eight teeth with a hole, turned by `turn` teeth.
void PaintGear(ColourCanvas& canvas, int32_t top, float turn, const LetteringColours& colours) {
  constexpr float Centre = 15.5f;
  Mask gear{32, FaceHeight, std::vector<uint8_t>(32 * FaceHeight, 0)};
  for (uint32_t y = 0; y < FaceHeight; ++y) {
    for (uint32_t x = 0; x < 32; ++x) {
      const float dx = static_cast<float>(x) - Centre;
      const float dy = static_cast<float>(y) - Centre;
      const float radius = std::hypot(dx, dy);
      const float angle = std::atan2(dy, dx) * 8 / (2 * std::numbers::pi_v<float>)+turn;
      const bool tooth = angle - std::floor(angle) < 0.5f;
      if (radius > 3 && (radius < 7 || (tooth && radius < 9.5f))) gear.bits[y * 32 + x] = 1;
    }
  }
  PaintLettering(canvas, gear, 0, top, colours);
}

}  // namespace

IndexedPicture GoButton() {
  return LabelButton(80, "GO", {Level(3, 5, 3), Level(0, 3, 1), Rgb{0, 0.12f, 0}}, Level(0, 1, 0));
}

IndexedPicture ExitButton() {
  return LabelButton(85, "EXIT", {Level(5, 3, 2), Level(4, 0, 0), Rgb{0.15f, 0, 0}},
                     Level(1, 0, 0));
}

IndexedPicture ConfigButton() {
  ColourCanvas canvas(32, 2 * FaceHeight, Rgb{});
  PaintPlate(canvas, 32, 0);
  PaintScreen(canvas, 32, 0, Level(0, 1, 1));
  PaintGear(canvas, 0, 0, {Level(3, 5, 5), Level(0, 2, 4), Rgb{0, 0.05f, 0.15f}});
  PaintPlate(canvas, 32, FaceHeight);
  PaintScreen(canvas, 32, FaceHeight, Level(1, 1, 0));
  PaintGear(canvas, FaceHeight, 0.5f, Amber);
  return Transparent(canvas);
}

}  // namespace zorbulant::tools
