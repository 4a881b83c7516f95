// Sizing a face the way GDI sizes a font request, and rendering its glyphs.
#include "platform/text/sized_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/text/windows_1252.h"

namespace zorbulant {

namespace {

// Hinted for one-bit output and nothing else: no embedded bitmaps, no
// auto-hinter, so that only the face's own instructions decide the pixels.
constexpr FT_Int32 LoadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP | FT_LOAD_NO_AUTOHINT;

// The packages hold no italic faces we may rely on, so italic is the upright
// face slanted by about 12 degrees (x += 0.2126 y), as FreeType's own oblique.
constexpr FT_Fixed ItalicShear = 0x366A;

int32_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>(
      std::lround(static_cast<double>(value * numerator) / static_cast<double>(denominator)));
}

}  // namespace

std::unique_ptr<SizedFont> SizedFont::Make(FT_FaceRec_* face, int32_t height, int32_t width,
                                           bool italic) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  FT_Size size = nullptr;
  if (os2 == nullptr || FT_New_Size(face, &size) != 0) return nullptr;
  std::unique_ptr<SizedFont> font(new SizedFont(face, size, italic));
  FT_Activate_Size(size);

  // GDI's cell runs from the face's Windows ascent down to its Windows
  // descent. Both are rounded out to whole pixels, as far as hinted glyphs
  // reach: a positive height gets the largest em whose cell fits in it, a
  // negative one is the em itself.
  const int64_t units = face->units_per_EM;
  const auto rows = [units](int64_t em, int64_t extent) {
    return static_cast<int32_t>((em * extent + units - 1) / units);
  };
  const auto cellOf = [&](int32_t em) {
    return rows(em, os2->usWinAscent) + rows(em, os2->usWinDescent);
  };
  int32_t emHeight = std::max(1, -height);
  if (height > 0) {
    const int64_t cellUnits = int64_t{os2->usWinAscent} + os2->usWinDescent;
    emHeight = std::max(1, Scale(height, units, cellUnits));
    while (emHeight > 1 && cellOf(emHeight) > height) --emHeight;
  }
  font->cellHeight_ = height > 0 ? height : cellOf(emHeight);
  font->ascent_ = std::min(font->cellHeight_, rows(emHeight, os2->usWinAscent));
  const int32_t emWidth =
      width == 0 ? emHeight : std::max(1, Scale(width, units, os2->xAvgCharWidth));
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(emWidth), static_cast<FT_UInt>(emHeight)) !=
      0) {
    return nullptr;
  }

  font->lineThickness_ = std::max(1, Scale(font->cellHeight_, 1, 14));
  // The line hangs from the face's underline position, clear of the baseline
  // row so that it never merges with the letters' feet.
  font->underlineTop_ = std::max(1, Scale(-face->underline_position, emHeight, units));
  font->strikeOutTop_ = Scale(os2->yStrikeoutPosition, emHeight, units);
  return font;
}

SizedFont::SizedFont(FT_FaceRec_* face, FT_SizeRec_* size, bool italic)
    : face_(face), size_(size), italic_(italic) {}

SizedFont::~SizedFont() { FT_Done_Size(size_); }

const SizedFont::Glyph& SizedFont::GlyphOf(uint8_t character) {
  Glyph& glyph = glyphs_[character];
  if (!glyph.rendered) Render(character, glyph);
  return glyph;
}

void SizedFont::Render(uint8_t character, Glyph& glyph) {
  glyph.rendered = true;
  // The face is shared by every size made of it: make this one current.
  FT_Activate_Size(size_);
  FT_Matrix shear{0x10000, ItalicShear, 0, 0x10000};
  FT_Set_Transform(face_, italic_ ? &shear : nullptr, nullptr);

  // A zero byte is a blank: the game's fixed-length titles are padded with
  // zeros, and they must take room without showing. A character the face
  // lacks gets index 0, the face's missing-glyph box, as GDI draws its
  // default character.
  const char32_t codePoint = character == 0 ? U' ' : Windows1252CodePoint(character);
  const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
  if (FT_Load_Glyph(face_, index, LoadFlags) != 0) return;
  FT_GlyphSlot slot = face_->glyph;
  glyph.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;

  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int32_t>(bitmap.width);
  glyph.rows = static_cast<int32_t>(bitmap.rows);
  glyph.rowBytes = (bitmap.width + 7) / 8;
  glyph.offset = bits_.size();
  for (uint32_t row = 0; row < bitmap.rows; ++row) {
    const uint8_t* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    bits_.insert(bits_.end(), source, source + glyph.rowBytes);
  }
}

}  // namespace zorbulant
