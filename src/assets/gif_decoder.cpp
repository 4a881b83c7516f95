// The GIF decoder: the file's block structure, the joined image data and the
// LZW decoder that expands it into a region.
#include "assets/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "flow/game.h"

namespace zorbulant {
namespace {

// Copies a string of at least one byte without touching anything past its end,
// so a picture that stops early leaves the rest of its region as it was. The
// two areas never overlap.
inline void CopyString(uint8_t* to, const uint8_t* from, uint32_t length) {
  if (length < 4) {
    to[0] = from[0];
    to[length / 2] = from[length / 2];
    to[length - 1] = from[length - 1];
  } else if (length <= 8) {
    std::memcpy(to, from, 4);
    std::memcpy(to + length - 4, from + length - 4, 4);
  } else if (length <= 16) {
    std::memcpy(to, from, 8);
    std::memcpy(to + length - 8, from + length - 8, 8);
  } else {
    for (uint32_t done = 0; done + 16 < length; done += 16) std::memcpy(to + done, from + done, 16);
    std::memcpy(to + length - 16, from + length - 16, 16);
  }
}

// Copies a string into the string store in 16-byte steps: the bytes written
// past its end are free store, and the bytes read past it lie in the store or
// in the margin behind it. Those can be the very bytes being written (a short
// string just below the free position), hence memmove; the string's own bytes
// always lie below the free position and are never overwritten.
inline void CopyIntoStore(uint8_t* to, const uint8_t* from, uint32_t length) {
  uint32_t done = 0;
  do {
    std::memmove(to + done, from + done, 16);
    done += 16;
  } while (done < length);
}

// The interlace passes: the first row of each and the step between its rows.
constexpr uint32_t PassCount = 4;
constexpr uint32_t PassFirstRow[PassCount] = {0, 4, 2, 1};
constexpr uint32_t PassRowStep[PassCount] = {8, 8, 4, 2};

// Where the next pixels go, and how many still fit before the run ends.
struct Run {
  uint8_t* next;
  uint32_t left;
};

// Lays decoded strings into the destination. A run is the part of a row that
// lies inside the destination, and the rest of that row is dropped; in stream
// order the whole destination is one run.
class PixelWriter {
 public:
  explicit PixelWriter(std::span<uint8_t> destination)
      : destination_(destination),
        firstRun_{destination.data(),
                  static_cast<uint32_t>(std::min<size_t>(destination.size(), UINT32_MAX))} {}

  PixelWriter(std::span<uint8_t> destination, InterlacedRows rows)
      : destination_(destination),
        rows_(rows),
        interlaced_(true),
        pass_(rows.height == 0 ? PassCount : 0),
        firstRun_(rows.height == 0 ? Run{destination.data(), 0} : StartRow()) {}

  Run FirstRun() const { return firstRun_; }

  // Lays a string that reaches the end of `run`: what fits, then on through
  // the rows. Returns the run after it; none once the picture is complete.
  // Kept out of line, away from the decoding loop's registers.
  [[gnu::noinline]] std::optional<Run> PutAcrossRows(Run run, const uint8_t* string,
                                                     uint32_t length) {
    for (;;) {
      const uint32_t written = std::min(length, run.left);
      if (written > 0) CopyString(run.next, string, written);
      run.next += written;
      run.left -= written;
      const uint32_t dropped = std::min(length - written, dropLeft_);
      dropLeft_ -= dropped;
      string += written + dropped;
      length -= written + dropped;
      if (run.left == 0 && dropLeft_ == 0) {
        if (!interlaced_ || !NextRow()) return std::nullopt;
        run = StartRow();
      }
      if (length == 0) return run;
    }
  }

 private:
  bool NextRow() {
    if (pass_ == PassCount) return false;
    row_ += PassRowStep[pass_];
    while (row_ >= rows_.height) {
      if (++pass_ == PassCount) return false;
      row_ = PassFirstRow[pass_];
    }
    return true;
  }

  Run StartRow() {
    const uint64_t start = std::min<uint64_t>(uint64_t{row_} * rows_.width, destination_.size());
    const auto left =
        static_cast<uint32_t>(std::min<uint64_t>(rows_.width, destination_.size() - start));
    dropLeft_ = rows_.width - left;
    return {destination_.data() + start, left};
  }

  const std::span<uint8_t> destination_;
  const InterlacedRows rows_{};
  const bool interlaced_ = false;
  uint32_t pass_ = 0;
  uint32_t row_ = 0;
  uint32_t dropLeft_ = 0;
  const Run firstRun_;  // last: worked out from the members above
};

// Lays one string; false once the picture is complete.
inline bool Put(PixelWriter& output, Run& run, const uint8_t* string, uint32_t length) {
  if (length < run.left) {
    CopyString(run.next, string, length);
    run.next += length;
    run.left -= length;
    return true;
  }
  const std::optional<Run> after = output.PutAcrossRows(run, string, length);
  if (!after) return false;
  run = *after;
  return true;
}

// Code table entries: the string's length in bits 31..20, the position of its
// first byte in the scratch area in bits 19..0.
constexpr uint32_t PositionBits = 20;
constexpr uint32_t PositionMask = (1u << PositionBits) - 1;
constexpr uint32_t MaximumCodeWidth = 12;
constexpr uint32_t LastCode = lzw::CodeTableEntries - 1;

// The decoder's state. It lives in one function's locals so that the compiler
// can keep it in registers.
struct LzwState {
  LzwState(std::span<uint8_t> scratchArea, std::span<const uint8_t> input, uint32_t codeSize)
      : scratch(scratchArea.data()),
        storeEnd(static_cast<uint32_t>(
            std::min<size_t>(scratchArea.size() - lzw::StoreMargin, lzw::StringStoreLimit))),
        data(input.data()),
        dataSize(input.size()),
        dataBits(uint64_t{input.size()} * 8),
        wholeWordBits(input.size() >= 4 ? (uint64_t{input.size()} - 3) * 8 : 0),
        // Sizes outside 2..8 are not GIF's; the game's own pictures use 8.
        minimumCodeSize(codeSize >= 2 && codeSize <= 8 ? codeSize : 8),
        clearCode(1u << minimumCodeSize),
        endCode(clearCode + 1) {}

  uint8_t* const scratch;
  const uint32_t storeEnd;
  const uint8_t* const data;
  const uint64_t dataSize;
  const uint64_t dataBits;
  const uint64_t wholeWordBits;
  const uint32_t minimumCodeSize;
  const uint32_t clearCode;
  const uint32_t endCode;
  uint32_t topCode = 0;
  uint32_t width = 0;
  uint32_t mask = 0;
  uint32_t freePosition = 0;
  uint64_t bitPosition = 0;
};

inline uint32_t Entry(const LzwState& lzw, uint32_t code) {
  uint32_t entry;
  std::memcpy(&entry, lzw.scratch + 4 * code, 4);
  return entry;
}

inline uint32_t SetEntry(LzwState& lzw, uint32_t code, uint32_t length, uint32_t position) {
  const uint32_t entry = length << PositionBits | position;
  std::memcpy(lzw.scratch + 4 * code, &entry, 4);
  return entry;
}

// No strings yet: the next code, the code width and the free store as after
// a clear code.
inline void ForgetStrings(LzwState& lzw) {
  lzw.topCode = lzw.endCode;
  lzw.width = lzw.minimumCodeSize + 1;
  lzw.mask = (1u << lzw.width) - 1;
  lzw.freePosition = lzw::NewStringStart;
}

inline void ResetCodeTable(LzwState& lzw) {
  for (uint32_t byte = 0; byte < 256; ++byte) {
    const uint32_t position = lzw::StringStoreStart + 4 * byte;
    SetEntry(lzw, byte, 1, position);
    const uint8_t padded[4] = {static_cast<uint8_t>(byte), 0, 0, 0};
    std::memcpy(lzw.scratch + position, padded, 4);
  }
  ForgetStrings(lzw);
}

// A clear code. New strings are never stored over the roots, so the roots
// stand as ResetCodeTable laid them; only the root entries that new codes
// took over (codes below 256, with code sizes below 8) are set again. A
// stream of nothing but clear codes then costs little per code, not a
// rewrite of the whole root table each.
inline void ClearCodeTable(LzwState& lzw) {
  for (uint32_t code = lzw.endCode + 1; code <= std::min(lzw.topCode, 255u); ++code) {
    SetEntry(lzw, code, 1, lzw::StringStoreStart + 4 * code);
  }
  ForgetStrings(lzw);
}

// Codes are packed least significant bit first. While four whole bytes are
// left at the reader's byte, one 32-bit fetch covers any code that starts
// there; near the end only the bytes that are left are read, and a code that
// does not fit wholly in the data ends it.
inline bool ReadCode(LzwState& lzw, uint32_t& code) {
  const uint64_t byte = lzw.bitPosition >> 3;
  const unsigned bitOffset = static_cast<unsigned>(lzw.bitPosition & 7);
  if (lzw.bitPosition < lzw.wholeWordBits) {
    code = (LoadWord(lzw.data + byte) >> bitOffset) & lzw.mask;
  } else {
    if (lzw.bitPosition + lzw.width > lzw.dataBits) return false;
    uint32_t word = 0;
    for (uint64_t at = byte; at < lzw.dataSize && at < byte + 4; ++at) {
      word |= uint32_t{lzw.data[at]} << (8 * (at - byte));
    }
    code = (word >> bitOffset) & lzw.mask;
  }
  lzw.bitPosition += lzw.width;
  return true;
}

// No string has length 0, so no code table entry is 0.
constexpr uint32_t NoEntry = 0;

// Assigns the next code to the string of the entry `prefix` followed by
// `last` and returns the new entry. A string whose bytes already stand in the
// store behind its prefix shares them, and a prefix that is the newest string
// grows in place, so long runs of one colour cost a byte per string rather
// than their whole length. Returns NoEntry, adding nothing, when the table or
// the store is full.
inline uint32_t AddString(LzwState& lzw, uint32_t prefix, uint8_t last) {
  if (lzw.topCode == LastCode) return NoEntry;
  const uint32_t length = prefix >> PositionBits;
  uint32_t position = prefix & PositionMask;
  const uint32_t end = position + length;
  if (end == lzw.freePosition) {
    if (lzw.freePosition == lzw.storeEnd) return NoEntry;
    lzw.scratch[lzw.freePosition++] = last;
  } else if (lzw.scratch[end] != last) {
    if (length + 1 > lzw.storeEnd - lzw.freePosition) return NoEntry;
    CopyIntoStore(lzw.scratch + lzw.freePosition, lzw.scratch + position, length);
    lzw.scratch[lzw.freePosition + length] = last;
    position = lzw.freePosition;
    lzw.freePosition += length + 1;
  }
  ++lzw.topCode;
  // The code width grows once the code just assigned needs all its bits.
  if (lzw.topCode >= lzw.mask && lzw.width < MaximumCodeWidth) {
    lzw.mask = lzw.mask * 2 + 1;
    ++lzw.width;
  }
  return SetEntry(lzw, lzw.topCode, length + 1, position);
}

void DecodeLzwData(std::span<uint8_t> scratch, std::span<const uint8_t> data,
                   uint32_t minimumCodeSize, PixelWriter& output) {
  if (scratch.size() < lzw::MinimumScratchSize) return;
  LzwState lzw(scratch, data, minimumCodeSize);
  Run run = output.FirstRun();
  ResetCodeTable(lzw);
  uint32_t previous = NoEntry;  // the previous code's entry; none right after a clear
  uint32_t code = 0;
  for (;;) {
    if (!ReadCode(lzw, code)) return;
    if (code - lzw.clearCode <= 1) {
      if (code != lzw.clearCode) return;  // the end code
      ClearCodeTable(lzw);
      previous = NoEntry;
      continue;
    }
    uint32_t entry;
    if (previous == NoEntry) {
      // A first code names a root string. Any other value has no string yet,
      // so the root of the byte it writes stands in for it.
      entry = Entry(lzw, code & 0xFF);
    } else {
      // A code in the table adds the previous string and its own first byte.
      // A code past the table is the one about to be assigned: the previous
      // string and that string's first byte. A damaged stream's higher codes
      // are read as that too.
      const bool known = code <= lzw.topCode;
      const uint32_t codeEntry = Entry(lzw, code);
      const uint32_t firstOf = known ? codeEntry : previous;
      const uint32_t added = AddString(lzw, previous, lzw.scratch[firstOf & PositionMask]);
      entry = known ? codeEntry : added;
      if (entry == NoEntry) return;
    }
    if (!Put(output, run, lzw.scratch + (entry & PositionMask), entry >> PositionBits)) return;
    previous = entry;
  }
}

// Block introducers and descriptor fields of the GIF file format.
constexpr uint8_t ExtensionIntroducer = 0x21;
constexpr uint8_t ImageSeparator = 0x2C;
constexpr uint32_t ScreenHeadSize = 13;  // signature, version and screen descriptor
constexpr uint32_t ScreenFlagsAt = 10;
constexpr uint32_t ImageDescriptorSize = 9;  // after the separator
constexpr uint8_t ColourTableFlag = 0x80;
constexpr uint8_t InterlaceFlag = 0x40;

uint32_t ColourTableSize(uint8_t flags) { return 3u << ((flags & 7) + 1); }

struct ImageHead {
  uint32_t width = 0;
  uint32_t height = 0;
  bool interlaced = false;
  uint32_t minimumCodeSize = 0;
};

bool ReadExactly(FileSystem& files, FileSystem::Handle file, uint8_t* to, uint32_t length) {
  return files.Read(file, to, length) == length;
}

// Skips the sub-blocks of an extension up to its zero-length one. False when
// the file ends first.
bool SkipSubBlocks(FileSystem& files, FileSystem::Handle file, uint8_t* buffer) {
  for (;;) {
    if (!ReadExactly(files, file, buffer, 1)) return false;
    if (buffer[0] == 0) return true;
    if (!ReadExactly(files, file, buffer + 1, buffer[0])) return false;
  }
}

// Reads the file up to its first image's data: the screen descriptor, the
// global colour table, extension blocks, the image descriptor, a local colour
// table and the LZW minimum code size, all through `buffer`. False when the file
// ends first or holds no image.
bool ReadImageHead(FileSystem& files, FileSystem::Handle file, uint8_t* buffer, ImageHead& image) {
  if (!ReadExactly(files, file, buffer, ScreenHeadSize)) return false;
  const uint8_t screenFlags = buffer[ScreenFlagsAt];
  if ((screenFlags & ColourTableFlag) != 0 &&
      !ReadExactly(files, file, buffer, ColourTableSize(screenFlags))) {
    return false;
  }
  for (;;) {
    if (!ReadExactly(files, file, buffer, 1)) return false;
    if (buffer[0] == ImageSeparator) break;
    // Anything else but an extension is the trailer or not GIF data at all.
    if (buffer[0] != ExtensionIntroducer) return false;
    if (!ReadExactly(files, file, buffer, 1) || !SkipSubBlocks(files, file, buffer)) return false;
  }
  if (!ReadExactly(files, file, buffer, ImageDescriptorSize)) return false;
  image.width = uint32_t{buffer[4]} | uint32_t{buffer[5]} << 8;
  image.height = uint32_t{buffer[6]} | uint32_t{buffer[7]} << 8;
  const uint8_t imageFlags = buffer[8];
  image.interlaced = (imageFlags & InterlaceFlag) != 0;
  if ((imageFlags & ColourTableFlag) != 0 &&
      !ReadExactly(files, file, buffer, ColourTableSize(imageFlags))) {
    return false;
  }
  if (!ReadExactly(files, file, buffer, 1)) return false;
  image.minimumCodeSize = buffer[0];
  return true;
}

// Reads the image's data sub-blocks, one read for each length byte (into the
// buffer's first byte) and one for its data, joined behind the first byte.
// Returns the joined length. The data ends at the zero-length sub-block, at the
// end of the file, or where the buffer is full.
uint32_t ReadImageData(FileSystem& files, FileSystem::Handle file, uint8_t* buffer) {
  constexpr uint32_t capacity = regions::GifInputBuffer.size - 1;
  uint8_t* const data = buffer + 1;
  uint32_t joined = 0;
  while (joined < capacity) {
    if (!ReadExactly(files, file, buffer, 1) || buffer[0] == 0) break;
    const uint32_t length = std::min<uint32_t>(buffer[0], capacity - joined);
    const uint32_t read = files.Read(file, data + joined, length);
    joined += read;
    if (read < length) break;
  }
  return joined;
}

}  // namespace

void DecodeLzwData(std::span<uint8_t> scratch, std::span<const uint8_t> data,
                   uint32_t minimumCodeSize, std::span<uint8_t> destination) {
  PixelWriter output(destination);
  DecodeLzwData(scratch, data, minimumCodeSize, output);
}

void DecodeLzwData(std::span<uint8_t> scratch, std::span<const uint8_t> data,
                   uint32_t minimumCodeSize, std::span<uint8_t> destination, InterlacedRows rows) {
  PixelWriter output(destination, rows);
  DecodeLzwData(scratch, data, minimumCodeSize, output);
}

bool LoadGifPicture(Game& game, const char* fileName, Region destination) {
  FileSystem& files = game.platform.files;
  const FileSystem::Handle file = files.OpenForReading(fileName);
  if (file == 0) return false;
  uint8_t* const input = game.work.at(regions::GifInputBuffer);
  ImageHead image;
  const bool hasImage = ReadImageHead(files, file, input, image);
  const uint32_t dataLength = hasImage ? ReadImageData(files, file, input) : 0;
  files.Close(file);
  if (!hasImage) return true;

  const std::span<uint8_t> scratch(game.work.at(regions::SceneBuffer), regions::SceneBuffer.size);
  const std::span<const uint8_t> data(input + 1, dataLength);
  const std::span<uint8_t> pixels(game.work.at(destination), destination.size);
  // The image's place on the logical screen is not used: its rows are the run.
  if (image.interlaced) {
    DecodeLzwData(scratch, data, image.minimumCodeSize, pixels, {image.width, image.height});
  } else {
    DecodeLzwData(scratch, data, image.minimumCodeSize, pixels);
  }
  return true;
}

}  // namespace zorbulant
