// Drawing the icon from the hero's picture.
#include "icons/hero_icon.h"

#include <algorithm>
#include <cstdio>

#include "platform/display.h"
#include "sprites/hero_pictures.h"

namespace zorbulant::tools {

namespace {

constexpr uint8_t Nothing = 255;
constexpr uint32_t SvgUnits = 32;

// Each size's scale. Up to 48 pixels the head and shoulders fill the square;
// from 64 on the whole figure, twice as tall as wide, stands in it.
struct SizeScale {
  uint32_t size;
  uint32_t scale;
};
constexpr SizeScale Scales[] = {{16, 1}, {24, 2}, {32, 2}, {48, 3}, {64, 2}, {128, 4}, {256, 8}};

uint32_t ScaleForSize(uint32_t size) {
  for (const SizeScale& entry : Scales) {
    if (entry.size == size) return entry.scale;
  }
  return std::max<uint32_t>(1, size / HeroHeight);  // the whole figure, as large as it fits
}

uint8_t PixelAt(const std::vector<uint8_t>& hero, int32_t x, uint32_t y) {
  if (x < 0 || x >= static_cast<int32_t>(HeroWidth) || y >= HeroHeight) return Nothing;
  return hero[y * HeroWidth + static_cast<uint32_t>(x)];
}

// The columns are centred on the figure, not the picture: a weapon held out
// to one side would otherwise push the body off centre.
IconWindow CentredWindow(const std::vector<uint8_t>& hero, uint32_t scale, uint32_t side) {
  IconWindow window{scale, 0, side, std::min(side, HeroHeight)};
  int32_t first = static_cast<int32_t>(HeroWidth);
  int32_t last = -1;
  for (uint32_t y = 0; y < window.rows; ++y) {
    for (int32_t x = 0; x < static_cast<int32_t>(HeroWidth); ++x) {
      if (PixelAt(hero, x, y) == Nothing) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  if (last < first) return window;
  // Half the room left beside the figure, rounded down: an odd pixel of
  // padding goes to the right, an odd pixel cropped comes off the left, away
  // from the weapon the hero holds out to the right.
  const int32_t spare = static_cast<int32_t>(side) - (last - first + 1);
  window.left = first - (spare >= 0 ? spare / 2 : (spare - 1) / 2);
  return window;
}

}  // namespace

IconWindow WindowForSize(const std::vector<uint8_t>& hero, uint32_t size) {
  const uint32_t scale = ScaleForSize(size);
  return CentredWindow(hero, scale, size / scale);
}

RgbaPicture DrawHeroIcon(const std::vector<uint8_t>& hero, uint32_t size) {
  const IconWindow window = WindowForSize(hero, size);
  const PaletteEntries& palette = PaletteTable();
  RgbaPicture icon{size, size, std::vector<uint8_t>(size_t{size} * size * 4, 0)};
  for (uint32_t y = 0; y < size; ++y) {
    const uint32_t row = y / window.scale;
    if (row >= window.rows) continue;
    for (uint32_t x = 0; x < size; ++x) {
      const uint8_t value =
          PixelAt(hero, window.left + static_cast<int32_t>(x / window.scale), row);
      if (value == Nothing) continue;
      uint8_t* at = &icon.pixels[(size_t{y} * size + x) * 4];
      at[0] = palette[value].red;
      at[1] = palette[value].green;
      at[2] = palette[value].blue;
      at[3] = 255;
    }
  }
  return icon;
}

std::string HeroIconSvg(const std::vector<uint8_t>& hero) {
  const IconWindow window = CentredWindow(hero, 1, SvgUnits);
  const PaletteEntries& palette = PaletteTable();
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
      "viewBox=\"0 0 32 32\" shape-rendering=\"crispEdges\">\n";
  for (uint32_t y = 0; y < window.rows; ++y) {
    for (uint32_t x = 0; x < window.columns;) {
      const int32_t source = window.left + static_cast<int32_t>(x);
      const uint8_t value = PixelAt(hero, source, y);
      uint32_t run = 1;
      while (x + run < window.columns &&
             PixelAt(hero, source + static_cast<int32_t>(run), y) == value) {
        ++run;
      }
      if (value != Nothing) {
        char rect[96];
        std::snprintf(
            rect, sizeof rect,
            "  <rect x=\"%u\" y=\"%u\" width=\"%u\" height=\"1\" fill=\"#%02x%02x%02x\"/>\n", x, y,
            run, palette[value].red, palette[value].green, palette[value].blue);
        svg += rect;
      }
      x += run;
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace zorbulant::tools
