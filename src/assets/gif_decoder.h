// Loading GIF pictures into work-block regions as palette indices. The file's
// own colour tables are skipped: the pictures are drawn in the game's fixed
// palette, so the pixel values are used as they are.
#pragma once

#include <cstdint>
#include <span>

#include "assets/work_block.h"

namespace zorbulant {

struct Game;

// Decodes the first image of the named GIF file into `destination` as one run
// of palette indices: row after row, each row as long as the image is wide. The
// file is read into the GifInputBuffer, and the start of the SceneBuffer is the
// decoder's scratch area. Decoding stops at the destination's end, at the end
// of the image data and at the end code, whichever comes first; a damaged file
// just yields fewer pixels. False only when the file cannot be opened, and then
// nothing has been touched.
bool LoadGifPicture(Game& game, const char* fileName, Region destination);

// The scratch area of the LZW decoder: the code table of 4,096 entries (bits
// 31..20 the string's length, bits 19..0 the position of its first byte in the
// scratch area), then the string store with every string fully expanded.
namespace lzw {
inline constexpr uint32_t CodeTableEntries = 4'096;
inline constexpr uint32_t StringStoreStart = 16'384;  // root string i at 16,384 + 4 * i
inline constexpr uint32_t NewStringStart = 17'408;
// The position field has 20 bits, so no string may start at or past this.
inline constexpr uint32_t StringStoreLimit = 1'048'576;
// Strings are copied within the store in 16-byte steps, which may read and
// write that far past a string's end, so the scratch area keeps this margin
// behind the store.
inline constexpr uint32_t StoreMargin = 16;
inline constexpr uint32_t MinimumScratchSize = NewStringStart + StoreMargin;
}  // namespace lzw

// Rows of an interlaced image, sent in four passes: every 8th row from row 0,
// every 8th from row 4, every 4th from row 2 and every 2nd from row 1.
struct InterlacedRows {
  uint32_t width;
  uint32_t height;
};

// Decodes GIF LZW data (the image's sub-blocks joined, without their length
// bytes) with root codes 0 to 2^minimumCodeSize - 1 into `destination` in
// stream order. `scratch` holds the code table and the string store and must
// hold at least lzw::MinimumScratchSize bytes; a store that runs out of room
// stops adding strings, as a full code table does.
void DecodeLzwData(std::span<uint8_t> scratch, std::span<const uint8_t> data,
                   uint32_t minimumCodeSize, std::span<uint8_t> destination);

// The same for an interlaced image: each row goes to its own place in
// `destination`, and what falls past the destination's end is dropped.
void DecodeLzwData(std::span<uint8_t> scratch, std::span<const uint8_t> data,
                   uint32_t minimumCodeSize, std::span<uint8_t> destination, InterlacedRows rows);

}  // namespace zorbulant
