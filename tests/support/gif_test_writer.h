// Writers of GIF data for decoder tests: an LZW code writer that can put down
// any code sequence (also ones no encoder makes), a builder of GIF files of any
// block layout around such data, and giflib's encoder for ordinary files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zorbulant::testing {

// Writes GIF LZW codes, least significant bit first, each at the width a
// decoder reads it with. It builds the decoder's string table alongside, so it
// knows the pixels every code stands for.
class LzwCodeWriter {
 public:
  explicit LzwCodeWriter(uint32_t minimumCodeSize = 8);

  uint32_t ClearCode() const { return 1u << minimumCodeSize_; }
  uint32_t EndCode() const { return ClearCode() + 1; }
  // The code the next new string gets.
  uint32_t NextCode() const { return static_cast<uint32_t>(table_.size()); }
  uint32_t Width() const { return width_; }
  // Right after a clear code (or at the very start), where a root must follow.
  bool AtFirstCode() const { return atFirstCode_; }
  bool TableFull() const { return table_.size() == 4'096; }

  void Clear();
  void End();
  // `code` must be a root, a code in the table or, after the first code,
  // NextCode() while the table can still grow.
  void Code(uint32_t code);
  // The table follows `code`, but `written` stands in the stream.
  void CodeWrittenAs(uint32_t code, uint32_t written);
  // Puts `value` into the stream at the current width and leaves the table and
  // the pixels alone.
  void RawCode(uint32_t value);
  // Until the next clear code the table gains no strings, as in a decoder whose
  // string store is full.
  void FreezeTable() { frozen_ = true; }

  // The codes so far, the last byte filled up with zero bits.
  std::vector<uint8_t> Bytes() const;
  // The pixels of the codes so far.
  const std::vector<uint8_t>& Pixels() const { return pixels_; }
  // The pixels of the codes that lie wholly in the first `byteCount` bytes.
  size_t PixelsWithin(size_t byteCount) const;
  // How often a code named the string it added itself (the string plus its
  // own first byte).
  size_t NextCodesWritten() const { return nextCodesWritten_; }

 private:
  void Reset();
  void Put(uint32_t value);

  const uint32_t minimumCodeSize_;
  std::vector<std::vector<uint8_t>> table_;
  uint32_t width_ = 0;
  bool atFirstCode_ = true;
  bool frozen_ = false;
  uint32_t previous_ = 0;
  std::vector<uint8_t> bits_;  // one element per bit
  struct CodeEnd {
    size_t bit;
    size_t pixels;
  };
  std::vector<CodeEnd> codeEnds_;
  std::vector<uint8_t> pixels_;
  size_t nextCodesWritten_ = 0;
};

struct GifExtension {
  uint8_t label;
  std::vector<uint8_t> data;  // split into sub-blocks of up to 255 bytes
};

// The blocks of a GIF file around one image's LZW data.
struct GifLayout {
  uint16_t imageWidth = 320;
  uint16_t imageHeight = 200;
  uint32_t globalColours = 256;  // a power of two from 2 to 256, or 0 for no table
  uint32_t localColours = 0;     // the same for the image's own table
  bool interlaced = false;
  uint8_t minimumCodeSize = 8;
  std::vector<GifExtension> extensions;  // between the screen and the image
  uint32_t subBlockLength = 255;
};

// Signature, screen descriptor, global colour table, extensions, image
// descriptor, local colour table, code size, the data in sub-blocks, the
// zero-length sub-block and the trailer.
std::vector<uint8_t> BuildGifFile(const GifLayout& layout, std::span<const uint8_t> lzwData);

struct Picture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // row after row
};

struct GiflibOptions {
  uint32_t globalColours = 256;  // a power of two from 2 to 256, or 0 for no table
  uint32_t localColours = 0;
  bool interlaced = false;
  std::vector<GifExtension> extensions;  // before the first image
};

// A GIF file made by giflib's encoder, one image per picture.
std::vector<uint8_t> EncodeWithGiflib(const std::vector<Picture>& images,
                                      const GiflibOptions& options);

}  // namespace zorbulant::testing
