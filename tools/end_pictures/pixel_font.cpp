// The glyphs, five by seven, and their painting.
#include "end_pictures/pixel_font.h"

#include <string>
#include <vector>

namespace zorbulant::tools {

namespace {

constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 7;

struct Glyph {
  char letter;
  const char* rows[GlyphHeight];
};

// clang-format off
constexpr Glyph Glyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
    {'>', {".#...", "..#..", "...#.", "....#", "...#.", "..#..", ".#..."}},
    {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
};
// clang-format on

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : Glyphs) {
    if (glyph.letter == letter) return &glyph;
  }
  return nullptr;
}

// The lit glyph pixels of a line of text, in glyph pixels (before scaling).
struct Bitmap {
  int width = 0;
  std::vector<bool> bits;  // width x GlyphHeight
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < GlyphHeight && bits[y * width + x];
  }
};

Bitmap TextBitmap(std::string_view text, int spacing) {
  Bitmap bitmap;
  bitmap.width =
      text.empty() ? 0 : static_cast<int>(text.size()) * (GlyphWidth + spacing) - spacing;
  bitmap.bits.assign(static_cast<size_t>(bitmap.width * GlyphHeight), false);
  int left = 0;
  for (char letter : text) {
    if (const Glyph* glyph = FindGlyph(letter)) {
      for (int y = 0; y < GlyphHeight; ++y) {
        for (int x = 0; x < GlyphWidth; ++x) {
          if (glyph->rows[y][x] == '#') bitmap.bits[y * bitmap.width + left + x] = true;
        }
      }
    }
    left += GlyphWidth + spacing;
  }
  return bitmap;
}

}  // namespace

int TextWidth(std::string_view text, const TextStyle& style) {
  return TextBitmap(text, style.spacing).width * style.scale;
}

int TextHeight(const TextStyle& style) { return GlyphHeight * style.scale; }

void PaintText(PaintCanvas& canvas, std::string_view text, int left, int top,
               const TextStyle& style) {
  const Bitmap bitmap = TextBitmap(text, style.spacing);
  const int scale = style.scale;
  const int width = bitmap.width * scale;
  const int height = GlyphHeight * scale;
  auto lit = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height && bitmap.At(x / scale, y / scale);
  };
  for (int y = -1; y <= height; ++y) {
    for (int x = -1; x <= width; ++x) {
      if (!lit(x, y)) {
        bool touches = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) touches = touches || lit(x + dx, y + dy);
        }
        if (touches) canvas.Set(left + x, top + y, style.rim);
        continue;
      }
      Colour face = Blend(style.top, style.bottom,
                          static_cast<float>(y) / static_cast<float>(height > 1 ? height - 1 : 1));
      if (style.bevel) {
        if (!lit(x, y - 1) || !lit(x - 1, y)) face = Blend(face, Rgb(255, 255, 255), 0.45f);
        if (!lit(x, y + 1) || !lit(x + 1, y)) face = Blend(face, style.rim, 0.35f);
      }
      canvas.Set(left + x, top + y, face);
    }
  }
}

void PaintTextCentred(PaintCanvas& canvas, std::string_view text, int centre, int top,
                      const TextStyle& style) {
  PaintText(canvas, text, centre - TextWidth(text, style) / 2, top, style);
}

}  // namespace zorbulant::tools
