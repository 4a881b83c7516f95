#include "sprites/label_font.h"

namespace zorbulant::tools {

namespace {

// Five rows a glyph, three bits a row (bit 2 the left column).
struct Glyph {
  char character;
  uint8_t rows[5];
};

constexpr Glyph Font[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'a', {2, 5, 7, 5, 5}}, {'b', {6, 5, 6, 5, 6}},
    {'c', {3, 4, 4, 4, 3}}, {'d', {6, 5, 5, 5, 6}}, {'e', {7, 4, 6, 4, 7}}, {'f', {7, 4, 6, 4, 4}},
    {'g', {3, 4, 5, 5, 3}}, {'h', {5, 5, 7, 5, 5}}, {'i', {7, 2, 2, 2, 7}}, {'j', {1, 1, 1, 5, 2}},
    {'k', {5, 5, 6, 5, 5}}, {'l', {4, 4, 4, 4, 7}}, {'m', {5, 7, 7, 5, 5}}, {'n', {6, 5, 5, 5, 5}},
    {'o', {2, 5, 5, 5, 2}}, {'p', {6, 5, 6, 4, 4}}, {'q', {2, 5, 5, 6, 3}}, {'r', {6, 5, 6, 5, 5}},
    {'s', {3, 4, 2, 1, 6}}, {'t', {7, 2, 2, 2, 2}}, {'u', {5, 5, 5, 5, 7}}, {'v', {5, 5, 5, 5, 2}},
    {'w', {5, 5, 7, 7, 5}}, {'x', {5, 5, 2, 5, 5}}, {'y', {5, 5, 2, 2, 2}}, {'z', {7, 1, 2, 4, 7}},
    {'-', {0, 0, 7, 0, 0}},
};

const Glyph* FindGlyph(char c) {
  for (const Glyph& glyph : Font) {
    if (glyph.character == c) return &glyph;
  }
  return nullptr;
}

}  // namespace

uint32_t LabelWidth(std::string_view text, uint32_t scale) {
  return text.empty() ? 0 : static_cast<uint32_t>(4 * text.size() - 1) * scale;
}

void DrawLabel(RgbCanvas& canvas, std::string_view text, uint32_t x, uint32_t y, uint32_t scale,
               Rgb colour) {
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph* glyph = FindGlyph(text[i]);
    if (glyph == nullptr) continue;
    const uint32_t left = x + static_cast<uint32_t>(i) * 4 * scale;
    for (uint32_t row = 0; row < 5; ++row) {
      for (uint32_t column = 0; column < 3; ++column) {
        if (glyph->rows[row] & (4 >> column)) {
          canvas.Fill(left + column * scale, y + row * scale, scale, scale, colour);
        }
      }
    }
  }
}

}  // namespace zorbulant::tools
