// Makes the five pictures the game loads at start-up: the menu background, the
// three menu buttons (front face above back face) and a first hero sprite
// sheet. Usage: zorbulant-start-pictures OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <string>

#include "common/indexed_gif.h"

using zorbulant::tools::CubeColour;
using zorbulant::tools::IndexedPicture;

namespace {

// A 5x7 font of the letters the pictures need, one row a byte (bit 4 = left).
struct Glyph {
  char letter;
  uint8_t rows[7];
};
constexpr Glyph Font[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
};

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : Font) {
    if (glyph.letter == letter) return &glyph;
  }
  return nullptr;
}

uint32_t TextWidth(const std::string& text, uint32_t scale) {
  return text.empty() ? 0 : static_cast<uint32_t>(text.size() * 6 - 1) * scale;
}

void DrawText(IndexedPicture& picture, const std::string& text, uint32_t left, uint32_t top,
              uint32_t scale, uint8_t colour) {
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph* glyph = FindGlyph(text[i]);
    if (glyph == nullptr) continue;
    for (uint32_t row = 0; row < 7 * scale; ++row) {
      for (uint32_t column = 0; column < 5 * scale; ++column) {
        if (!(glyph->rows[row / scale] & (0x10 >> (column / scale)))) continue;
        const uint32_t x = left + static_cast<uint32_t>(i) * 6 * scale + column;
        const uint32_t y = top + row;
        if (x < picture.width && y < picture.height) picture.at(x, y) = colour;
      }
    }
  }
}

// Night sky fading into dusk, a row of hills and the game's name.
IndexedPicture MenuBackground() {
  IndexedPicture picture(320, 200, 0);
  for (uint32_t y = 0; y < 200; ++y) {
    const uint32_t band = y * 6 / 200;  // 0 to 5
    for (uint32_t x = 0; x < 320; ++x) {
      picture.at(x, y) = CubeColour(band > 3 ? band - 3 : 0, 0, band < 2 ? 1 + band : 3);
    }
  }
  for (uint32_t x = 0; x < 320; ++x) {
    const double hill = 150 + 12 * std::sin(x / 23.0) + 7 * std::sin(x / 9.0 + 1.0);
    for (uint32_t y = static_cast<uint32_t>(hill); y < 200; ++y)
      picture.at(x, y) = CubeColour(0, 1, 0);
  }
  for (uint32_t star = 0; star < 60; ++star) {
    picture.at((star * 97 + 13) % 320, (star * 53 + 7) % 90) = CubeColour(5, 5, 5);
  }
  const std::string title = "ZORBULANT";
  const uint32_t left = (320 - TextWidth(title, 2)) / 2;
  DrawText(picture, title, left + 1, 9, 2, 216);  // shadow in black
  DrawText(picture, title, left, 8, 2, CubeColour(5, 4, 0));
  return picture;
}

// A button: a framed face with its label, and a darker back face below it.
IndexedPicture Button(uint32_t width, const std::string& label, uint32_t scale) {
  IndexedPicture picture(width, 64, 0);
  for (uint32_t face = 0; face < 2; ++face) {
    const uint8_t fill = face == 0 ? CubeColour(1, 3, 1) : CubeColour(1, 1, 3);
    const uint8_t edge = face == 0 ? CubeColour(3, 5, 3) : CubeColour(3, 3, 5);
    for (uint32_t y = 2; y < 30; ++y) {
      for (uint32_t x = 1; x + 1 < width; ++x) {
        const bool border = y == 2 || y == 29 || x == 1 || x + 2 == width;
        picture.at(x, face * 32 + y) = border ? edge : fill;
      }
    }
    const uint32_t textLeft = (width - TextWidth(label, scale)) / 2;
    DrawText(picture, label, textLeft, face * 32 + 16 - 7 * scale / 2, scale, CubeColour(5, 5, 5));
  }
  return picture;
}

// A 16x16 icon drawn into the sheet's linear bytes at `offset`: sprites are
// read as runs of width x height bytes, whatever the picture's own width.
void DrawIcon(IndexedPicture& sheet, uint32_t offset, const char* const rows[16], uint8_t ink,
              uint8_t edge) {
  for (uint32_t y = 0; y < 16; ++y) {
    for (uint32_t x = 0; x < 16; ++x) {
      const char c = rows[y][x];
      if (c == '.') continue;
      sheet.pixels[offset + y * 16 + x] = c == '#' ? ink : edge;
    }
  }
}

constexpr const char* HeartRows[16] = {
    "................", "..oo......oo....", ".o##o....o##o...", "o####o..o####o..",
    "o#####oo#####o..", "o############o..", "o############o..", ".o##########o...",
    "..o########o....", "...o######o.....", "....o####o......", ".....o##o.......",
    "......oo........", "................", "................", "................"};
constexpr const char* FuelRows[16] = {
    "................", "....oooooo......", "...o######o.....", "...o#oooo#o.....",
    "...o######o.....", "..o########o....", "..o##oooo##o....", "..o#o####o#o....",
    "..o#o####o#o....", "..o##oooo##o....", "..o########o....", "..o########o....",
    "...oooooooo.....", "................", "................", "................"};
constexpr const char* GrenadeRows[16] = {
    "................", "......ooo.......", ".....o#o.o......", "....ooooo.o.....",
    "...o#####o......", "..o#######o.....", "..o##o#o##o.....", "..o#######o.....",
    "..o##o#o##o.....", "..o#######o.....", "...o#####o......", "....ooooo.......",
    "................", "................", "................", "................"};
constexpr const char* WarningRows[16] = {
    "................", "................", ".oooooooooooooo.", ".o############o.",
    ".o#oo#o##o#oo#o.", ".o#o##o##o#o##o.", ".o#o##o##o#o##o.", ".o#oo#oo#o#oo#o.",
    ".o############o.", ".oooooooooooooo.", "................", "................",
    "................", "................", "................", "................"};

// Hero pictures of 16x32 stacked in one column, so picture n starts at byte
// n x 512; pixels of 232 and up are transparent. The head-up display's icons
// stand at their fixed offsets behind them.
IndexedPicture HeroSheet() {
  constexpr uint32_t Pictures = 91;
  constexpr uint32_t Ducking = 18;  // and again for each weapon, 19 pictures on
  // The weapon in hand by picture group: pistol, flame-thrower, grenades, laser.
  constexpr uint8_t WeaponInk[4] = {CubeColour(2, 2, 2), CubeColour(5, 2, 0), CubeColour(1, 3, 1),
                                    CubeColour(0, 5, 5)};
  IndexedPicture picture(16, 5206, 255);
  for (uint32_t n = 0; n < Pictures; ++n) {
    const uint32_t top = n * 32;
    const bool ducking = n < 76 && n % 19 == Ducking;
    const uint32_t drop = ducking ? 9 : 0;  // a ducking hero is 9 rows lower
    const uint32_t stride = (n % 16) / 4;   // the walk cycle swings the legs
    for (uint32_t y = 4 + drop; y < 12 + drop; ++y) {
      for (uint32_t x = 5; x < 11; ++x) picture.at(x, top + y) = CubeColour(5, 4, 3);  // head
    }
    for (uint32_t y = 12 + drop; y < 24 + drop / 2; ++y) {
      for (uint32_t x = 4; x < 12; ++x) picture.at(x, top + y) = CubeColour(0, 2, 5);  // body
    }
    for (uint32_t y = 24 + drop / 2; y < 32; ++y) {
      picture.at(5 + (stride & 1), top + y) = CubeColour(1, 1, 1);
      picture.at(10 - (stride >> 1), top + y) = CubeColour(1, 1, 1);
    }
    if (n < 76) {
      for (uint32_t x = 10; x < 16; ++x) picture.at(x, top + 15 + drop) = WeaponInk[n / 19];
    }
  }
  // Four flame frames of 38 x 10 behind the fuel icon; 247 and up are
  // transparent, so the ragged tip flickers from frame to frame.
  for (uint32_t k = 0; k < 4; ++k) {
    for (uint32_t y = 0; y < 10; ++y) {
      const uint32_t mid = y < 5 ? 4 - y : y - 5;
      const uint32_t length = 38 - 3 * mid - (k + y) % 4;
      for (uint32_t x = 0; x < 38; ++x) {
        const uint8_t ink = x < length / 3       ? CubeColour(5, 5, 2)
                            : x < 2 * length / 3 ? CubeColour(5, 3, 0)
                                                 : CubeColour(5, 1, 0);
        picture.pixels[52'784 + k * 380 + y * 38 + x] = x < length ? ink : 255;
      }
    }
  }
  constexpr uint8_t outline = 216;  // one of the blacks that is not transparent
  DrawIcon(picture, 51'504, HeartRows, CubeColour(5, 0, 0), outline);
  DrawIcon(picture, 52'528, FuelRows, CubeColour(5, 3, 0), outline);
  DrawIcon(picture, 81'255, GrenadeRows, CubeColour(1, 3, 1), outline);
  for (uint32_t offset : {81'511u, 81'767u, 82'023u}) {
    DrawIcon(picture, offset, WarningRows, CubeColour(5, 5, 0), outline);
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorbulant-start-pictures OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = argv[1];
  const struct {
    const char* name;
    IndexedPicture picture;
  } pictures[] = {
      {"menuback.gif", MenuBackground()},   {"go.gif", Button(80, "GO", 2)},
      {"config.gif", Button(32, "CFG", 1)}, {"exit.gif", Button(85, "EXIT", 2)},
      {"MAINCHAR.gif", HeroSheet()},
  };
  for (const auto& [name, picture] : pictures) {
    std::string error;
    if (!zorbulant::tools::WriteIndexedGif(directory + "/" + name, picture, error)) {
      std::fprintf(stderr, "zorbulant-start-pictures: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
