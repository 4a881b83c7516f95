// The block letters, 8 by 8 with strokes two wide, and their shading.
#include "start_pictures/lettering.h"

#include <algorithm>

namespace zorbulant::tools {

namespace {

struct Glyph {
  char letter;
  uint8_t rows[8];  // bit 7 = left
};
constexpr Glyph Glyphs[] = {
    {'A', {0x7E, 0xFF, 0xC3, 0xC3, 0xFF, 0xFF, 0xC3, 0xC3}},
    {'B', {0xFE, 0xFF, 0xC3, 0xFE, 0xFE, 0xC3, 0xFF, 0xFE}},
    {'E', {0xFF, 0xFF, 0xC0, 0xFC, 0xFC, 0xC0, 0xFF, 0xFF}},
    {'G', {0x7E, 0xFF, 0xC0, 0xCF, 0xCF, 0xC3, 0xFF, 0x7E}},
    {'I', {0xFC, 0xFC, 0x30, 0x30, 0x30, 0x30, 0xFC, 0xFC}},
    {'L', {0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xFF, 0xFF}},
    {'N', {0xC3, 0xE3, 0xF3, 0xDB, 0xCF, 0xC7, 0xC3, 0xC3}},
    {'O', {0x7E, 0xFF, 0xC3, 0xC3, 0xC3, 0xC3, 0xFF, 0x7E}},
    {'R', {0xFE, 0xFF, 0xC3, 0xC3, 0xFE, 0xDC, 0xCE, 0xC7}},
    {'T', {0xFF, 0xFF, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18}},
    {'U', {0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xFF, 0x7E}},
    {'X', {0xC3, 0xE7, 0x7E, 0x3C, 0x3C, 0x7E, 0xE7, 0xC3}},
    {'Z', {0xFF, 0xFF, 0x0E, 0x1C, 0x38, 0x70, 0xFF, 0xFF}},
};

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : Glyphs) {
    if (glyph.letter == letter) return &glyph;
  }
  return nullptr;
}

// Columns up to the rightmost one in use, so narrow letters sit close.
uint32_t GlyphWidth(const Glyph& glyph) {
  uint8_t used = 0;
  for (uint8_t row : glyph.rows) used |= row;
  uint32_t width = 8;
  while (width > 0 && !(used & (0x100 >> width))) --width;
  return width;
}

bool Inside(const Glyph& glyph, uint32_t column, uint32_t row) {
  return column < 8 && row < 8 && (glyph.rows[row] & (0x80 >> column));
}

// A pixel of a scaled glyph is cut when it is the outer corner of its cell and
// both glyph cells beside that corner are empty.
bool CutCorner(const Glyph& glyph, uint32_t x, uint32_t y, uint32_t scale) {
  const uint32_t column = x / scale;
  const uint32_t row = y / scale;
  const bool left = x % scale == 0;
  const bool right = x % scale == scale - 1;
  const bool upper = y % scale == 0;
  const bool lower = y % scale == scale - 1;
  const bool emptyLeft = column == 0 || !Inside(glyph, column - 1, row);
  const bool emptyRight = !Inside(glyph, column + 1, row);
  const bool emptyAbove = row == 0 || !Inside(glyph, column, row - 1);
  const bool emptyBelow = !Inside(glyph, column, row + 1);
  return (upper && emptyAbove && ((left && emptyLeft) || (right && emptyRight))) ||
         (lower && emptyBelow && ((left && emptyLeft) || (right && emptyRight)));
}

}  // namespace

bool Mask::at(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= width || static_cast<uint32_t>(y) >= height)
    return false;
  return bits[static_cast<uint32_t>(y) * width + static_cast<uint32_t>(x)] != 0;
}

Mask TextMask(std::string_view text, uint32_t scale, uint32_t spacing) {
  std::vector<const Glyph*> glyphs;
  uint32_t width = 0;
  for (char letter : text) {
    const Glyph* glyph = FindGlyph(letter);
    if (glyph == nullptr) continue;
    width += (glyphs.empty() ? 0 : spacing) + GlyphWidth(*glyph) * scale;
    glyphs.push_back(glyph);
  }
  Mask mask{width, 8 * scale, std::vector<uint8_t>(size_t{width} * 8 * scale, 0)};
  uint32_t left = 0;
  for (const Glyph* glyph : glyphs) {
    const uint32_t glyphWidth = GlyphWidth(*glyph) * scale;
    for (uint32_t y = 0; y < mask.height; ++y) {
      for (uint32_t x = 0; x < glyphWidth; ++x) {
        if (Inside(*glyph, x / scale, y / scale) && !CutCorner(*glyph, x, y, scale))
          mask.bits[y * width + left + x] = 1;
      }
    }
    left += glyphWidth + spacing;
  }
  return mask;
}

void PaintLettering(ColourCanvas& canvas, const Mask& mask, int32_t left, int32_t top,
                    const LetteringColours& colours) {
  const auto width = static_cast<int32_t>(mask.width);
  const auto height = static_cast<int32_t>(mask.height);
  for (int32_t y = -1; y <= height; ++y) {
    for (int32_t x = -1; x <= width; ++x) {
      if (!mask.at(x, y)) {
        bool touches = false;
        for (int32_t dy = -1; dy <= 1; ++dy) {
          for (int32_t dx = -1; dx <= 1; ++dx) touches = touches || mask.at(x + dx, y + dy);
        }
        if (touches) canvas.Set(left + x, top + y, colours.rim);
        continue;
      }
      Rgb face = Mix(colours.top, colours.bottom,
                     static_cast<float>(y) / static_cast<float>(std::max(height - 1, 1)));
      if (!mask.at(x, y - 1) || !mask.at(x - 1, y)) face = Mix(face, Level(5, 5, 5), 0.5f);
      if (!mask.at(x, y + 1) || !mask.at(x + 1, y)) face = Mix(face, colours.rim, 0.4f);
      canvas.Set(left + x, top + y, face);
    }
  }
}

}  // namespace zorbulant::tools
