// A text device over an 8-bit surface in memory: GDI's text calls on a back
// buffer, drawn with the shared font library in the palette's nearest colour.
#pragma once

#include <cstdint>

#include "platform/display_device.h"
#include "platform/text/font_library.h"
#include "platform/text_device.h"

namespace zorbulant {

class SurfaceTextDevice final : public TextDevice {
 public:
  // The surface is `width` x `height` pixels, rows `pitch` bytes apart from
  // `pixels`; nothing outside it is ever written. `fonts` and `palette` must
  // outlive the device. It starts as a fresh GDI device context does: no font
  // selected (the library's system font draws), black text, opaque background
  // mode, no character extra.
  SurfaceTextDevice(FontLibrary& fonts, uint8_t* pixels, uint32_t pitch, uint32_t width,
                    uint32_t height, const PaletteEntries& palette);

  Font MakeFont(const FontRequest& request) override;
  // 0 goes back to the system font; an unknown handle changes nothing and
  // gives 0.
  Font SelectFont(Font font) override;
  // Deleting the selected font puts the system font back in its place.
  bool DeleteFont(Font font) override;
  // Only the mode is kept: every text is drawn transparent, the only mode the
  // game draws in. A mode other than transparent or opaque is refused (0).
  int32_t SetBackgroundMode(int32_t mode) override;
  uint32_t SetTextColour(uint32_t colour) override;
  int32_t SetCharacterExtra(int32_t extra) override;
  // False, with nothing drawn, when there is no face to draw with.
  bool WriteText(int32_t x, int32_t y, const char* text, int32_t length) override;

 private:
  void DrawGlyph(const SizedFont& font, const SizedFont::Glyph& glyph, int64_t left, int64_t top);
  void FillRows(int64_t left, int64_t right, int64_t top, int64_t rows);

  FontLibrary& fonts_;
  uint8_t* pixels_;
  int64_t pitch_;
  int64_t width_;
  int64_t height_;
  const PaletteEntries& palette_;
  Font selected_ = 0;
  int32_t backgroundMode_ = BackgroundOpaque;
  uint32_t colour_ = 0;
  uint8_t colourIndex_ = 0;
  int32_t extra_ = 0;
};

}  // namespace zorbulant
