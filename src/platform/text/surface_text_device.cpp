// GDI's text output on an 8-bit surface: glyphs from the font library,
// clipped to the surface, in the palette colour nearest the text colour.
#include "platform/text/surface_text_device.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace zorbulant {

namespace {

// Squared RGB distance; the first of equally near entries wins, so black
// finds index 0 before the palette's other blacks.
uint8_t NearestIndex(const PaletteEntries& palette, uint32_t colour) {
  const int32_t red = static_cast<int32_t>(colour & 0xFF);
  const int32_t green = static_cast<int32_t>(colour >> 8 & 0xFF);
  const int32_t blue = static_cast<int32_t>(colour >> 16 & 0xFF);
  size_t nearest = 0;
  int32_t nearestDistance = INT32_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int32_t dr = palette[i].red - red;
    const int32_t dg = palette[i].green - green;
    const int32_t db = palette[i].blue - blue;
    const int32_t distance = dr * dr + dg * dg + db * db;
    if (distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  }
  return static_cast<uint8_t>(nearest);
}

}  // namespace

SurfaceTextDevice::SurfaceTextDevice(FontLibrary& fonts, uint8_t* pixels, uint32_t pitch,
                                     uint32_t width, uint32_t height, const PaletteEntries& palette)
    : fonts_(fonts),
      pixels_(pixels),
      pitch_(pitch),
      width_(width),
      height_(height),
      palette_(palette),
      colourIndex_(NearestIndex(palette, colour_)) {}

TextDevice::Font SurfaceTextDevice::MakeFont(const FontRequest& request) {
  return fonts_.MakeFont(request);
}

TextDevice::Font SurfaceTextDevice::SelectFont(Font font) {
  if (font != 0 && !fonts_.Find(font)) return 0;
  return std::exchange(selected_, font);
}

bool SurfaceTextDevice::DeleteFont(Font font) {
  if (!fonts_.DeleteFont(font)) return false;
  if (selected_ == font) selected_ = 0;
  return true;
}

int32_t SurfaceTextDevice::SetBackgroundMode(int32_t mode) {
  if (mode != BackgroundTransparent && mode != BackgroundOpaque) return 0;
  return std::exchange(backgroundMode_, mode);
}

uint32_t SurfaceTextDevice::SetTextColour(uint32_t colour) {
  colourIndex_ = NearestIndex(palette_, colour);
  return std::exchange(colour_, colour);
}

int32_t SurfaceTextDevice::SetCharacterExtra(int32_t extra) { return std::exchange(extra_, extra); }

bool SurfaceTextDevice::WriteText(int32_t x, int32_t y, const char* text, int32_t length) {
  if (length < 0 || (text == nullptr && length > 0)) return false;
  // A font deleted through another device falls back like one never selected.
  const std::optional<FontLibrary::FontObject> selected = fonts_.Find(selected_);
  const FontLibrary::FontObject font = selected ? *selected : fonts_.SystemFont();
  if (font.glyphs == nullptr) return false;
  SizedFont& glyphs = *font.glyphs;

  // (x, y) is the top-left of the cell, as GDI's default text alignment has it.
  const int64_t baseline = int64_t{y} + glyphs.Ascent();
  int64_t pen = x;
  for (int32_t i = 0; i < length; ++i) {
    const SizedFont::Glyph& glyph = glyphs.GlyphOf(static_cast<uint8_t>(text[i]));
    DrawGlyph(glyphs, glyph, pen + glyph.left, baseline - glyph.top);
    pen += glyph.advance + extra_;
  }
  // The lines run under the whole written width, each character's extra
  // spacing included.
  const int64_t thickness = glyphs.LineThickness();
  if (font.underline) FillRows(x, pen, baseline + glyphs.UnderlineTop(), thickness);
  if (font.strikeOut) FillRows(x, pen, baseline - glyphs.StrikeOutTop(), thickness);
  return true;
}

void SurfaceTextDevice::DrawGlyph(const SizedFont& font, const SizedFont::Glyph& glyph,
                                  int64_t left, int64_t top) {
  const int64_t firstColumn = std::max<int64_t>(0, -left);
  const int64_t endColumn = std::min<int64_t>(glyph.width, width_ - left);
  const int64_t firstRow = std::max<int64_t>(0, -top);
  const int64_t endRow = std::min<int64_t>(glyph.rows, height_ - top);
  for (int64_t row = firstRow; row < endRow; ++row) {
    const uint8_t* bits = font.Row(glyph, static_cast<int32_t>(row));
    uint8_t* line = pixels_ + (top + row) * pitch_;
    for (int64_t column = firstColumn; column < endColumn; ++column) {
      if (bits[column >> 3] & (0x80 >> (column & 7))) line[left + column] = colourIndex_;
    }
  }
}

void SurfaceTextDevice::FillRows(int64_t left, int64_t right, int64_t top, int64_t rows) {
  const int64_t firstColumn = std::max<int64_t>(0, left);
  const int64_t endColumn = std::min(width_, right);
  const int64_t endRow = std::min(height_, top + rows);
  if (firstColumn >= endColumn) return;
  for (int64_t row = std::max<int64_t>(0, top); row < endRow; ++row) {
    std::fill(pixels_ + row * pitch_ + firstColumn, pixels_ + row * pitch_ + endColumn,
              colourIndex_);
  }
}

}  // namespace zorbulant
