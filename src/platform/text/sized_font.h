// One face at one size and slant: the geometry of its text cell and the
// monochrome bitmaps of its 256 characters, each rendered on first use and
// kept, so that text drawn every frame costs no rendering and no allocation.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace zorbulant {

class SizedFont {
 public:
  struct Glyph {
    int32_t left = 0;  // from the pen to the bitmap's first column
    int32_t top = 0;   // from the baseline up to the bitmap's first row
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;
    uint32_t rowBytes = 0;  // each row packed 8 pixels a byte, leftmost in bit 7
    size_t offset = 0;      // of the first row in the font's bitmap store
    bool rendered = false;
  };

  // `height` > 0 is the cell height in pixels, < 0 the em height (never 0);
  // `width` 0 keeps the face's proportions, otherwise it is the average
  // character width. nullptr when FreeType can't size the face.
  static std::unique_ptr<SizedFont> Make(FT_FaceRec_* face, int32_t height, int32_t width,
                                         bool italic);
  ~SizedFont();
  SizedFont(const SizedFont&) = delete;
  SizedFont& operator=(const SizedFont&) = delete;

  int32_t Ascent() const { return ascent_; }
  int32_t CellHeight() const { return cellHeight_; }
  // Underline and strike-out are both this many rows thick.
  int32_t LineThickness() const { return lineThickness_; }
  int32_t UnderlineTop() const { return underlineTop_; }  // rows below the baseline
  int32_t StrikeOutTop() const { return strikeOutTop_; }  // rows above the baseline

  const Glyph& GlyphOf(uint8_t character);
  // Row `row` of a glyph returned by GlyphOf.
  const uint8_t* Row(const Glyph& glyph, int32_t row) const {
    return bits_.data() + glyph.offset + glyph.rowBytes * static_cast<uint32_t>(row);
  }

 private:
  SizedFont(FT_FaceRec_* face, FT_SizeRec_* size, bool italic);
  void Render(uint8_t character, Glyph& glyph);

  FT_FaceRec_* face_;
  FT_SizeRec_* size_;
  bool italic_;
  int32_t ascent_ = 0;
  int32_t cellHeight_ = 0;
  int32_t lineThickness_ = 1;
  int32_t underlineTop_ = 1;
  int32_t strikeOutTop_ = 0;
  std::array<Glyph, 256> glyphs_{};
  std::vector<uint8_t> bits_;
};

}  // namespace zorbulant
