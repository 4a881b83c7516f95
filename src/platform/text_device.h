// Text on a surface: what the game used of a GDI device context (CreateFontA,
// SelectObject, SetBkMode, SetTextColor, SetTextCharacterExtra, TextOutA,
// DeleteObject).
#pragma once

#include <cstdint>

namespace zorbulant {

// The fields of a font request, as CreateFontA takes them.
struct FontRequest {
  int32_t height = 0;  // character cell height in pixels
  int32_t width = 0;   // average character width, 0 = from the face's proportions
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;  // 400 normal, 600 semi-bold, 800 extra-bold, 900 heavy
  uint32_t italic = 0;
  uint32_t underline = 0;
  uint32_t strikeOut = 0;
  uint32_t charSet = 0;
  uint32_t outputPrecision = 0;
  uint32_t clipPrecision = 0;
  uint32_t quality = 0;
  uint32_t pitchAndFamily = 0;  // low bits: pitch (1 fixed, 2 variable); high nibble: family
};

inline constexpr int32_t BackgroundTransparent = 1;
inline constexpr int32_t BackgroundOpaque = 2;

// A colour value as GDI writes it: 0x00BBGGRR.
constexpr uint32_t ColourRef(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
}

class TextDevice {
 public:
  using Font = uint32_t;  // 0 is no font

  virtual Font MakeFont(const FontRequest& request) = 0;
  // Returns the font selected before.
  virtual Font SelectFont(Font font) = 0;
  virtual bool DeleteFont(Font font) = 0;
  // Return the setting before the call.
  virtual int32_t SetBackgroundMode(int32_t mode) = 0;
  virtual uint32_t SetTextColour(uint32_t colour) = 0;
  virtual int32_t SetCharacterExtra(int32_t extra) = 0;
  // Writes `length` single-byte characters with the top-left of the text's
  // cell at (x, y); zero bytes are characters like any other.
  virtual bool WriteText(int32_t x, int32_t y, const char* text, int32_t length) = 0;

 protected:
  ~TextDevice() = default;
};

}  // namespace zorbulant
