// The GIF decoder: LZW streams decoded directly, and picture files loaded into
// work-block regions, compared pixel for pixel with what giflib decodes.
#include "assets/gif_decoder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "flow/game.h"
#include "platform/files/local_files.h"
#include "support/gif_test_writer.h"
#include "support/temp_directory.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

using testing::BuildGifFile;
using testing::EncodeWithGiflib;
using testing::GifLayout;
using testing::GiflibOptions;
using testing::LzwCodeWriter;
using testing::Picture;

// ---------------------------------------------------------------------------
// giflib as the reference decoder

struct MemoryInput {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* to, int length) {
  auto& input = *static_cast<MemoryInput*>(gif->UserData);
  const size_t count = std::min<size_t>(static_cast<size_t>(length), input.bytes.size() - input.at);
  std::memcpy(to, input.bytes.data() + input.at, count);
  input.at += count;
  return static_cast<int>(count);
}

// The first image of a GIF file as giflib decodes it, interlaced rows in place.
Picture DecodeWithGiflib(std::span<const uint8_t> file) {
  MemoryInput input{file};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
  if (gif == nullptr) throw std::runtime_error("giflib cannot open the file");
  if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
    DGifCloseFile(gif, &error);
    throw std::runtime_error("giflib cannot decode the file");
  }
  const SavedImage& image = gif->SavedImages[0];
  Picture picture{static_cast<uint32_t>(image.ImageDesc.Width),
                  static_cast<uint32_t>(image.ImageDesc.Height),
                  {}};
  picture.pixels.assign(image.RasterBits, image.RasterBits + picture.width * picture.height);
  DGifCloseFile(gif, &error);
  return picture;
}

// The first `pixelCount` pixels of an LZW stream as giflib decodes them.
std::vector<uint8_t> DecodeStreamWithGiflib(std::span<const uint8_t> lzwData,
                                            uint32_t minimumCodeSize, size_t pixelCount) {
  if (pixelCount == 0) return {};
  // An image larger than any stream here, of which only the first pixels are asked for.
  GifLayout layout;
  layout.imageWidth = 65'535;
  layout.imageHeight = 65'535;
  layout.globalColours = 1u << minimumCodeSize;
  layout.minimumCodeSize = static_cast<uint8_t>(minimumCodeSize);
  const std::vector<uint8_t> file = BuildGifFile(layout, lzwData);
  MemoryInput input{file};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
  GifRecordType record = UNDEFINED_RECORD_TYPE;
  std::vector<uint8_t> pixels(pixelCount);
  const bool decoded = gif != nullptr && DGifGetRecordType(gif, &record) == GIF_OK &&
                       record == IMAGE_DESC_RECORD_TYPE && DGifGetImageDesc(gif) == GIF_OK &&
                       DGifGetLine(gif, pixels.data(), static_cast<int>(pixelCount)) == GIF_OK;
  if (gif != nullptr) DGifCloseFile(gif, &error);
  if (!decoded) throw std::runtime_error("giflib cannot decode the stream");
  return pixels;
}

// ---------------------------------------------------------------------------
// Pictures and streams

// A random number below `count`.
uint32_t Below(std::mt19937& random, uint32_t count) {
  return static_cast<uint32_t>(random() % count);
}

Picture OneColour(uint32_t width, uint32_t height, uint8_t colour) {
  return {width, height, std::vector<uint8_t>(size_t{width} * height, colour)};
}

Picture Noise(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed) {
  std::mt19937 random(seed);
  Picture picture{width, height, std::vector<uint8_t>(size_t{width} * height)};
  for (uint8_t& pixel : picture.pixels) pixel = static_cast<uint8_t>(random() % colours);
  return picture;
}

// Runs of one colour of many lengths with stretches of noise between them, as
// in drawn scenery.
Picture Scenery(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed) {
  std::mt19937 random(seed);
  Picture picture{width, height, std::vector<uint8_t>(size_t{width} * height)};
  for (size_t at = 0; at < picture.pixels.size();) {
    const size_t run = std::min<size_t>(picture.pixels.size() - at, 1 + random() % 300);
    const bool noisy = random() % 4 == 0;
    const auto colour = static_cast<uint8_t>(random() % colours);
    for (size_t i = at; i < at + run; ++i) {
      picture.pixels[i] = noisy ? static_cast<uint8_t>(random() % colours) : colour;
    }
    at += run;
  }
  return picture;
}

// Writes `count` codes that any GIF decoder accepts. Recent strings and the
// next code are chosen often, so strings grow long as in real pictures.
void WriteRandomCodes(LzwCodeWriter& writer, std::mt19937& random, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t roots = writer.ClearCode();
    const uint32_t firstNew = writer.EndCode() + 1;
    const uint32_t next = writer.NextCode();
    if (writer.AtFirstCode()) {
      writer.Code(Below(random, roots));
      continue;
    }
    switch (random() % 4) {
      case 0:
        writer.Code(Below(random, roots));
        break;
      case 1:
        if (!writer.TableFull()) {
          writer.Code(next);
          break;
        }
        [[fallthrough]];
      case 2:
        if (next > firstNew) {
          writer.Code(next - 1 - Below(random, std::min<uint32_t>(16, next - firstNew)));
          break;
        }
        [[fallthrough]];
      default: {
        const uint32_t code = Below(random, next);
        writer.Code(code == writer.ClearCode() || code == writer.EndCode() ? code % roots : code);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Decoding streams directly

constexpr uint8_t Fill = 0xA5;
constexpr size_t GuardSize = 64;

// A destination of `size` bytes followed by a guard, all filled with `Fill`.
struct Destination {
  explicit Destination(size_t length) : bytes(length + GuardSize, Fill), size(length) {}
  std::span<uint8_t> span() { return {bytes.data(), size}; }
  std::vector<uint8_t> bytes;
  size_t size;
};

// What a `Destination` holds once `pixels` (cut at its size) have landed in it.
std::vector<uint8_t> Landed(std::span<const uint8_t> pixels, size_t size) {
  std::vector<uint8_t> bytes(size + GuardSize, Fill);
  std::copy_n(pixels.begin(), std::min(size, pixels.size()), bytes.begin());
  return bytes;
}

std::vector<uint8_t> Decode(std::span<const uint8_t> data, uint32_t minimumCodeSize, size_t size,
                            size_t scratchSize = regions::SceneBuffer.size) {
  std::vector<uint8_t> scratch(scratchSize);
  // A copy of exactly the data, so that any read past its end is caught.
  const std::vector<uint8_t> exactData(data.begin(), data.end());
  Destination destination(size);
  DecodeLzwData(scratch, exactData, minimumCodeSize, destination.span());
  return destination.bytes;
}

TEST(LzwStreamTest, RandomStreamsOfEveryCodeSizeDecodeAsGiflibDecodes) {
  for (uint32_t codeSize = 2; codeSize <= 8; ++codeSize) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
      SCOPED_TRACE("code size " + std::to_string(codeSize) + ", seed " + std::to_string(seed));
      std::mt19937 random(seed * 100 + codeSize);
      LzwCodeWriter writer(codeSize);
      writer.Clear();
      for (int cycle = 0; cycle < 3; ++cycle) {
        WriteRandomCodes(writer, random, 1'000 + random() % 2'000);
        writer.Clear();
      }
      WriteRandomCodes(writer, random, 500);
      writer.End();
      const std::vector<uint8_t> data = writer.Bytes();
      const std::vector<uint8_t> reference =
          DecodeStreamWithGiflib(data, codeSize, writer.Pixels().size());
      ASSERT_EQ(writer.Pixels(), reference) << "the writer builds the table giflib builds";
      EXPECT_EQ(Decode(data, codeSize, reference.size() + 100),
                Landed(reference, reference.size() + 100));
    }
  }
}

TEST(LzwStreamTest, FullTableIsUsedUnchangedUntilTheNextClear) {
  for (const uint32_t codeSize : {2u, 5u, 8u}) {
    SCOPED_TRACE("code size " + std::to_string(codeSize));
    std::mt19937 random(codeSize);
    LzwCodeWriter writer(codeSize);
    writer.Clear();
    while (!writer.TableFull()) WriteRandomCodes(writer, random, 1);
    ASSERT_EQ(writer.Width(), 12u);
    WriteRandomCodes(writer, random, 3'000);  // no clear: the full table goes on
    writer.Clear();
    WriteRandomCodes(writer, random, 300);
    writer.End();
    const std::vector<uint8_t> data = writer.Bytes();
    const std::vector<uint8_t> reference =
        DecodeStreamWithGiflib(data, codeSize, writer.Pixels().size());
    EXPECT_EQ(Decode(data, codeSize, reference.size()), Landed(reference, reference.size()));
  }
}

TEST(LzwStreamTest, ClearCodesInARowAreAccepted) {
  std::mt19937 random(7);
  LzwCodeWriter writer;
  writer.Clear();
  writer.Clear();
  WriteRandomCodes(writer, random, 600);  // past code 511, so the width has grown
  writer.Clear();
  writer.Clear();
  writer.Clear();
  WriteRandomCodes(writer, random, 50);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  const std::vector<uint8_t> reference = DecodeStreamWithGiflib(data, 8, writer.Pixels().size());
  EXPECT_EQ(Decode(data, 8, reference.size()), Landed(reference, reference.size()));
}

TEST(LzwStreamTest, StreamWithoutALeadingClearCodeDecodes) {
  std::mt19937 random(8);
  LzwCodeWriter writer;
  WriteRandomCodes(writer, random, 700);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  const std::vector<uint8_t> reference = DecodeStreamWithGiflib(data, 8, writer.Pixels().size());
  EXPECT_EQ(Decode(data, 8, reference.size()), Landed(reference, reference.size()));
}

TEST(LzwStreamTest, EndCodeRightAfterAClearEndsThePicture) {
  LzwCodeWriter empty;
  empty.Clear();
  empty.End();
  empty.Code(9);  // behind the end: never read
  EXPECT_EQ(Decode(empty.Bytes(), 8, 100), Landed({}, 100)) << "no pixels at all";

  std::mt19937 random(9);
  LzwCodeWriter late;
  late.Clear();
  WriteRandomCodes(late, random, 200);
  const std::vector<uint8_t> before = late.Pixels();
  late.Clear();
  late.End();
  late.Code(1);
  EXPECT_EQ(Decode(late.Bytes(), 8, before.size() + 100), Landed(before, before.size() + 100));
}

TEST(LzwStreamTest, CodeThatNamesTheStringItAddsDecodes) {
  // One colour: every code after the first names the string it adds. Two
  // colours taking turns: every other code does.
  LzwCodeWriter writer;
  writer.Clear();
  writer.Code(40);
  while (writer.NextCode() < 600) writer.Code(writer.NextCode());
  writer.Clear();
  writer.Code(1);
  writer.Code(2);
  for (int i = 0; i < 300; ++i) {
    writer.Code(writer.NextCode());
    writer.Code(2);
  }
  writer.End();
  ASSERT_GT(writer.NextCodesWritten(), 600u);
  const std::vector<uint8_t> data = writer.Bytes();
  const std::vector<uint8_t> reference = DecodeStreamWithGiflib(data, 8, writer.Pixels().size());
  EXPECT_EQ(Decode(data, 8, reference.size()), Landed(reference, reference.size()));
}

// Writes random codes into both writers alike, except at one point where the
// damaged stream holds `Damage(next code, width)` in place of the next code.
template <typename Damage>
void WriteDamagedAndCleanStreams(LzwCodeWriter& damaged, LzwCodeWriter& clean, uint32_t seed,
                                 size_t codesBefore, Damage damage) {
  std::mt19937 randomDamaged(seed);
  std::mt19937 randomClean(seed);
  damaged.Clear();
  clean.Clear();
  WriteRandomCodes(damaged, randomDamaged, codesBefore);
  WriteRandomCodes(clean, randomClean, codesBefore);
  const uint32_t next = damaged.NextCode();
  damaged.CodeWrittenAs(next, damage(next, damaged.Width()));
  clean.Code(next);
  WriteRandomCodes(damaged, randomDamaged, 400);
  WriteRandomCodes(clean, randomClean, 400);
  damaged.End();
  clean.End();
}

TEST(LzwStreamTest, CodeAboveTheNextFreeCodeIsReadAsTheNextCode) {
  const auto bySteps = [](uint32_t steps) {
    return [steps](uint32_t next, uint32_t) { return next + steps; };
  };
  const auto highest = [](uint32_t, uint32_t width) { return (1u << width) - 1; };
  for (const size_t codesBefore : {5u, 300u, 1'500u}) {
    SCOPED_TRACE("after " + std::to_string(codesBefore) + " codes");
    LzwCodeWriter damaged, clean;
    WriteDamagedAndCleanStreams(damaged, clean, 11, codesBefore, bySteps(1));
    const std::vector<uint8_t> reference =
        DecodeStreamWithGiflib(clean.Bytes(), 8, clean.Pixels().size());
    EXPECT_EQ(Decode(damaged.Bytes(), 8, reference.size()), Landed(reference, reference.size()));

    LzwCodeWriter damagedMost, cleanMost;
    WriteDamagedAndCleanStreams(damagedMost, cleanMost, 12, codesBefore, highest);
    const std::vector<uint8_t> referenceMost =
        DecodeStreamWithGiflib(cleanMost.Bytes(), 8, cleanMost.Pixels().size());
    EXPECT_EQ(Decode(damagedMost.Bytes(), 8, referenceMost.size()),
              Landed(referenceMost, referenceMost.size()));
  }
}

TEST(LzwStreamTest, FirstCodeWithoutAStringWritesItsLowByteAndStandsForIt) {
  for (const uint32_t code : {258u, 300u, 511u}) {
    SCOPED_TRACE("first code " + std::to_string(code));
    std::mt19937 randomDamaged(code);
    std::mt19937 randomClean(code);
    LzwCodeWriter damaged, clean;
    damaged.Clear();
    clean.Clear();
    damaged.CodeWrittenAs(code & 0xFF, code);
    clean.Code(code & 0xFF);
    WriteRandomCodes(damaged, randomDamaged, 300);
    WriteRandomCodes(clean, randomClean, 300);
    damaged.End();
    const std::vector<uint8_t> reference =
        DecodeStreamWithGiflib(clean.Bytes(), 8, clean.Pixels().size());
    EXPECT_EQ(Decode(damaged.Bytes(), 8, reference.size()), Landed(reference, reference.size()));
  }
}

TEST(LzwStreamTest, DecodingStopsAtTheEndOfTheData) {
  std::mt19937 random(13);
  LzwCodeWriter writer;
  writer.Clear();
  WriteRandomCodes(writer, random, 400);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  const size_t size = writer.Pixels().size() + 10;
  for (size_t cut = 0; cut <= data.size(); ++cut) {
    SCOPED_TRACE("data cut to " + std::to_string(cut) + " bytes");
    const std::span<const uint8_t> pixels(writer.Pixels().data(), writer.PixelsWithin(cut));
    ASSERT_EQ(Decode(std::span(data).first(cut), 8, size, 100'000), Landed(pixels, size));
  }
}

TEST(LzwStreamTest, DecodingStopsAtTheEndOfTheDestination) {
  // Long strings of one colour and short ones of noise, so the end falls in
  // strings of every length.
  std::mt19937 random(14);
  LzwCodeWriter writer;
  writer.Clear();
  writer.Code(3);
  while (writer.NextCode() < 400) writer.Code(writer.NextCode());
  WriteRandomCodes(writer, random, 600);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  const std::vector<uint8_t>& pixels = writer.Pixels();
  std::vector<size_t> sizes;
  for (size_t size = 0; size <= 300; ++size) sizes.push_back(size);
  for (size_t size = 301; size < pixels.size(); size += 997) sizes.push_back(size);
  sizes.push_back(pixels.size() - 1);
  sizes.push_back(pixels.size());
  for (const size_t size : sizes) {
    SCOPED_TRACE("destination of " + std::to_string(size) + " bytes");
    ASSERT_EQ(Decode(data, 8, size, 200'000), Landed(pixels, size));
  }
}

// Roots 1 to count + 1 in turn: each string they add is two bytes that match
// nothing already stored, so it takes two bytes of the store.
void AddTwoByteStrings(LzwCodeWriter& writer, uint32_t count) {
  for (uint32_t root = 1; root <= count + 1; ++root) writer.Code(root);
}

// Codes of the frozen table: the roots 1 to count + 1 and the strings they
// added. No pair could share stored bytes: no string is followed by a zero
// root, and the string at 258 + i, stored right before the one that starts
// with i + 2, is not followed by a string that starts with i + 2.
void WriteFrozenTableCodes(LzwCodeWriter& writer, uint32_t count, std::mt19937& random) {
  std::optional<uint32_t> avoidFirst;
  for (int i = 0; i < 300; ++i) {
    uint32_t code;
    do {
      code = count > 0 && Below(random, 2) == 0 ? 258 + Below(random, count)
                                                : 1 + Below(random, count + 1);
    } while (avoidFirst && (code >= 258 ? code - 257 : code) == *avoidFirst);
    writer.Code(code);
    avoidFirst = code >= 258 ? std::optional(code - 256) : std::nullopt;
  }
}

TEST(LzwStreamTest, FullStringStoreActsLikeAFullTable) {
  for (const uint32_t count : {0u, 1u, 40u}) {
    SCOPED_TRACE(std::to_string(count) + " strings fit the store");
    const size_t scratchSize = lzw::MinimumScratchSize + 2 * count;
    std::mt19937 random(count);

    // The table stops growing, so the width stays 9 and the strings in the
    // table keep decoding; a clear code empties the store again.
    LzwCodeWriter writer;
    writer.Clear();
    AddTwoByteStrings(writer, count);
    writer.FreezeTable();
    WriteFrozenTableCodes(writer, count, random);
    writer.Clear();
    AddTwoByteStrings(writer, count);
    writer.FreezeTable();
    WriteFrozenTableCodes(writer, count, random);
    writer.End();
    const size_t size = writer.Pixels().size() + 10;
    EXPECT_EQ(Decode(writer.Bytes(), 8, size, scratchSize), Landed(writer.Pixels(), size));

    // The string the next code would stand for has no room: the picture ends.
    LzwCodeWriter ending;
    ending.Clear();
    AddTwoByteStrings(ending, count);
    ending.FreezeTable();
    WriteFrozenTableCodes(ending, count, random);
    const std::vector<uint8_t> before = ending.Pixels();
    ending.RawCode(ending.NextCode());
    ending.Code(5);
    ending.End();
    EXPECT_EQ(Decode(ending.Bytes(), 8, size, scratchSize), Landed(before, size));
  }
}

TEST(LzwStreamTest, ScratchAreaTooSmallForTheRootsDecodesNothing) {
  LzwCodeWriter writer;
  writer.Clear();
  writer.Code(1);
  writer.End();
  EXPECT_EQ(Decode(writer.Bytes(), 8, 10, lzw::MinimumScratchSize - 1), Landed({}, 10));
  EXPECT_EQ(Decode(writer.Bytes(), 8, 10, lzw::MinimumScratchSize), Landed(writer.Pixels(), 10));
}

TEST(LzwStreamTest, CodeSizesOutsideTwoToEightAreReadAsEight) {
  std::mt19937 random(15);
  LzwCodeWriter writer;
  writer.Clear();
  WriteRandomCodes(writer, random, 800);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  const size_t size = writer.Pixels().size();
  for (const uint32_t codeSize : {0u, 1u, 9u, 12u, 255u}) {
    SCOPED_TRACE("code size " + std::to_string(codeSize));
    EXPECT_EQ(Decode(data, codeSize, size), Landed(writer.Pixels(), size));
  }
}

TEST(LzwStreamTest, InterlacedRowsLandInTheirPlaces) {
  std::mt19937 random(16);
  for (const uint32_t width : {1u, 3u, 17u}) {
    for (uint32_t height = 1; height <= 20; ++height) {
      SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
      LzwCodeWriter writer;
      writer.Clear();
      while (writer.Pixels().size() < width * height) WriteRandomCodes(writer, random, 1);
      writer.End();
      GifLayout layout;
      layout.imageWidth = static_cast<uint16_t>(width);
      layout.imageHeight = static_cast<uint16_t>(height);
      layout.interlaced = true;
      const std::vector<uint8_t> data = writer.Bytes();
      const Picture reference = DecodeWithGiflib(BuildGifFile(layout, data));
      // Too small, exact and larger destinations.
      for (const size_t size :
           {size_t{width} * height / 2 + 1, size_t{width} * height, size_t{width} * height + 5}) {
        SCOPED_TRACE("destination of " + std::to_string(size));
        std::vector<uint8_t> scratch(100'000);
        Destination destination(size);
        DecodeLzwData(scratch, data, 8, destination.span(), {width, height});
        ASSERT_EQ(destination.bytes, Landed(reference.pixels, size));
      }
    }
  }
}

TEST(LzwStreamTest, InterlacedImageWithoutRowsWritesNothing) {
  LzwCodeWriter writer;
  writer.Clear();
  writer.Code(1);
  writer.Code(2);
  writer.End();
  std::vector<uint8_t> scratch(lzw::MinimumScratchSize);
  for (const InterlacedRows rows : {InterlacedRows{0, 5}, InterlacedRows{5, 0}}) {
    Destination destination(10);
    DecodeLzwData(scratch, writer.Bytes(), 8, destination.span(), rows);
    EXPECT_EQ(destination.bytes, Landed({}, 10));
  }
}

// ---------------------------------------------------------------------------
// Loading picture files into the work block

// Passes every call on and counts the files left open.
class OpenFileCounter final : public FileSystem {
 public:
  explicit OpenFileCounter(FileSystem& files) : files_(files) {}
  Handle OpenForReading(const char* name) override {
    const Handle file = files_.OpenForReading(name);
    if (file != 0) ++open_;
    return file;
  }
  uint32_t Read(Handle file, void* destination, uint32_t length) override {
    return files_.Read(file, destination, length);
  }
  void Close(Handle file) override {
    --open_;
    files_.Close(file);
  }
  bool Exists(const char* name) override { return files_.Exists(name); }
  int Open() const { return open_; }

 private:
  FileSystem& files_;
  int open_ = 0;
};

std::optional<size_t> FirstDifference(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  if (a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0) return std::nullopt;
  const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return static_cast<size_t>(inA - a.begin());
}

class GifPictureTest : public ::testing::Test {
 protected:
  GifPictureTest() {
    game.work.Allocate();
    // Bytes that no region holds by chance: a random stretch of a prime length
    // over and over.
    std::mt19937 random(1);
    std::vector<uint8_t> stretch(4'093);
    for (uint8_t& byte : stretch) byte = static_cast<uint8_t>(random());
    for (size_t at = 0; at < regions::WorkBlockSize; at += stretch.size()) {
      std::memcpy(game.work.data() + at, stretch.data(),
                  std::min(stretch.size(), regions::WorkBlockSize - at));
    }
  }

  std::vector<uint8_t> Snapshot() const {
    return {game.work.data(), game.work.data() + regions::WorkBlockSize};
  }

  static std::span<const uint8_t> Bytes(std::span<const uint8_t> block, Region region) {
    return block.subspan(region.offset, region.size);
  }
  std::span<const uint8_t> Block() const { return {game.work.data(), regions::WorkBlockSize}; }

  // Loads `file` into `region` and checks that the region then holds `pixels`
  // (cut at its end) followed by what it held before, that nothing else
  // changed but the decoder's scratch and input buffer, and that the file was
  // closed again.
  void ExpectLoaded(const std::vector<uint8_t>& file, Region region,
                    std::span<const uint8_t> pixels) {
    directory.Write("picture.gif", file);
    std::vector<uint8_t> expected = Snapshot();
    std::copy_n(pixels.begin(), std::min<size_t>(region.size, pixels.size()),
                expected.begin() + region.offset);
    ASSERT_TRUE(LoadGifPicture(game, "picture.gif", region));
    const auto inRegion = FirstDifference(Bytes(Block(), region), Bytes(expected, region));
    EXPECT_FALSE(inRegion) << "first wrong byte at " << *inRegion << " of the region, "
                           << pixels.size() << " pixels expected";
    for (const Region& untouched :
         {Region{0, regions::SceneBuffer.offset},
          Region{regions::SceneBuffer.end(), region.offset - regions::SceneBuffer.end()},
          Region{region.end(), regions::GifInputBuffer.offset - region.end()}}) {
      const auto outside = FirstDifference(Bytes(Block(), untouched), Bytes(expected, untouched));
      EXPECT_FALSE(outside) << "byte " << untouched.offset + *outside << " of the block changed";
    }
    EXPECT_EQ(files.Open(), 0) << "the file is closed again";
  }

  testing::TempDirectory directory;
  LocalFiles localFiles{directory.path()};
  OpenFileCounter files{localFiles};
  testing::TestPlatform test;
  Platform services{test.window,   test.clock, test.display, files,
                    test.settings, test.sound, "zorbulant"};
  Game game{services};
};

TEST_F(GifPictureTest, FixedLayoutPicturesFillTheirRegions) {
  const struct {
    Region region;
    uint32_t width, height;
  } pictures[] = {{regions::MenuBackground, 320, 200},
                  {regions::GoButtonPicture, 80, 64},
                  {regions::ConfigButtonPicture, 32, 64},
                  {regions::ExitButtonPicture, 85, 64}};
  uint32_t seed = 0;
  for (const auto& [region, width, height] : pictures) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const Picture picture = Scenery(width, height, 256, ++seed);
    const std::vector<uint8_t> file = EncodeWithGiflib({picture}, {});
    // 6 + 7 + 768 + 10 bytes of head, then the code size 8.
    ASSERT_EQ(file[10] & 0x87, 0x87);
    ASSERT_EQ(file[781], 0x2C);
    ASSERT_EQ(file[791], 8);
    ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
    ExpectLoaded(file, region, picture.pixels);
  }
}

TEST_F(GifPictureTest, OneColourScreenIsSixtyFourThousandEqualBytes) {
  const Picture picture = OneColour(320, 200, 217);
  const std::vector<uint8_t> file = EncodeWithGiflib({picture}, {});
  ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
  ExpectLoaded(file, regions::MenuBackground, picture.pixels);
}

TEST_F(GifPictureTest, LevelPicturesOfFullSizeDecode) {
  // One colour over 1280 x 819 makes strings over a thousand bytes long whose
  // lengths add up to more than the string store could hold one by one.
  for (const Picture& picture :
       {OneColour(1280, 819, 3), Scenery(1280, 819, 256, 2), Noise(1280, 200, 256, 3)}) {
    const std::vector<uint8_t> file = EncodeWithGiflib({picture}, {});
    ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
    ExpectLoaded(file, regions::LevelPicture, picture.pixels);
  }
}

TEST_F(GifPictureTest, SmallColourTablesAndCodeSizes) {
  for (uint32_t colours = 2; colours <= 256; colours *= 2) {
    SCOPED_TRACE(std::to_string(colours) + " colours");
    for (const Picture& picture :
         {Scenery(131, 47, colours, colours), Noise(64, 40, colours, colours)}) {
      GiflibOptions options;
      options.globalColours = colours;
      const std::vector<uint8_t> file = EncodeWithGiflib({picture}, options);
      ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
      ExpectLoaded(file, regions::MenuBackground, picture.pixels);
    }
  }
}

std::vector<uint8_t> ExtensionBytes(size_t count, uint8_t first) {
  // Bytes that look like block introducers and lengths, to be skipped unread.
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i * 0x2C);
  return bytes;
}

TEST_F(GifPictureTest, ExtensionBlocksAreSkipped) {
  GiflibOptions options;
  options.extensions = {{0xFF, ExtensionBytes(11, 0x21)},   // application
                        {0xFE, ExtensionBytes(600, 0x3B)},  // comment, three sub-blocks
                        {0xF9, {0x04, 0x00, 0x2C, 0x00}}};  // graphic control
  const Picture picture = Scenery(320, 200, 256, 4);
  const std::vector<uint8_t> file = EncodeWithGiflib({picture}, options);
  ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
  ExpectLoaded(file, regions::MenuBackground, picture.pixels);
}

TEST_F(GifPictureTest, LocalColourTablesAreSkipped) {
  const struct { uint32_t global, local; } tables[] = {{0, 16}, {256, 4}, {2, 128}, {0, 256}};
  for (const auto& [global, local] : tables) {
    SCOPED_TRACE("global " + std::to_string(global) + ", local " + std::to_string(local));
    GiflibOptions options;
    options.globalColours = global;
    options.localColours = local;
    const Picture picture = Scenery(85, 64, local, local);
    const std::vector<uint8_t> file = EncodeWithGiflib({picture}, options);
    ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
    ExpectLoaded(file, regions::ExitButtonPicture, picture.pixels);
  }
}

TEST_F(GifPictureTest, InterlacedPicturesAreWrittenInRowOrder) {
  const struct {
    uint32_t width, height;
  } sizes[] = {{1, 1}, {5, 2},  {7, 3},  {9, 4},     {11, 5}, {13, 8},
               {4, 9}, {6, 16}, {3, 17}, {320, 200}, {80, 64}};
  GiflibOptions options;
  options.interlaced = true;
  uint32_t seed = 0;
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const Picture picture = Scenery(width, height, 256, ++seed);
    const std::vector<uint8_t> file = EncodeWithGiflib({picture}, options);
    ASSERT_EQ(DecodeWithGiflib(file).pixels, picture.pixels);
    ExpectLoaded(file, regions::MenuBackground, picture.pixels);
  }
}

TEST_F(GifPictureTest, PictureLargerThanItsRegionStopsAtTheRegionsEnd) {
  for (const bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "in row order");
    GiflibOptions options;
    options.interlaced = interlaced;
    // 80 x 129 is one pixel more than the 80 x 128 region holds.
    for (const Picture& picture : {Scenery(320, 200, 256, 5), Scenery(80, 129, 256, 6)}) {
      ExpectLoaded(EncodeWithGiflib({picture}, options), regions::GoButtonPicture, picture.pixels);
    }
  }
}

TEST_F(GifPictureTest, RegionNotTheImageSizeBoundsAPictureInRowOrder) {
  // The image descriptor says 1 x 1, but every pixel of the stream is laid out.
  std::mt19937 random(17);
  LzwCodeWriter writer;
  writer.Clear();
  WriteRandomCodes(writer, random, 2'000);
  writer.End();
  GifLayout layout;
  layout.imageWidth = 1;
  layout.imageHeight = 1;
  ExpectLoaded(BuildGifFile(layout, writer.Bytes()), regions::MenuBackground, writer.Pixels());
}

TEST_F(GifPictureTest, OnlyTheFirstImageIsDecoded) {
  const Picture first = Scenery(40, 10, 256, 7);
  const Picture second = Scenery(40, 20, 256, 8);
  ExpectLoaded(EncodeWithGiflib({first, second}, {}), regions::MenuBackground, first.pixels);
}

TEST_F(GifPictureTest, SubBlocksOfAnyLengthAreJoined) {
  std::mt19937 random(18);
  LzwCodeWriter writer;
  writer.Clear();
  WriteRandomCodes(writer, random, 3'000);
  writer.End();
  for (const uint32_t length : {1u, 2u, 7u, 128u, 254u, 255u}) {
    SCOPED_TRACE("sub-blocks of " + std::to_string(length));
    GifLayout layout;
    layout.subBlockLength = length;
    ExpectLoaded(BuildGifFile(layout, writer.Bytes()), regions::MenuBackground, writer.Pixels());
  }
}

TEST_F(GifPictureTest, FileWithoutTrailerDecodesWhole) {
  const Picture picture = Scenery(320, 200, 256, 9);
  std::vector<uint8_t> file = EncodeWithGiflib({picture}, {});
  ASSERT_EQ(file.back(), 0x3B);
  file.pop_back();
  ExpectLoaded(file, regions::MenuBackground, picture.pixels);
}

TEST_F(GifPictureTest, FileCutShortYieldsThePixelsOfItsWholeCodes) {
  std::mt19937 random(19);
  LzwCodeWriter writer;
  writer.Clear();
  WriteRandomCodes(writer, random, 4'000);
  writer.End();
  const std::vector<uint8_t> data = writer.Bytes();
  GifLayout layout;
  layout.subBlockLength = 100;
  const std::vector<uint8_t> file = BuildGifFile(layout, data);
  constexpr size_t head = 792;
  // Cuts in the head, right behind a length byte, inside a sub-block, right
  // behind one, and the zero-length sub-block missing.
  std::vector<size_t> cuts = {0, 1, 12, 13, 500, 781, 791, head};
  for (size_t block = 0; block * 100 < data.size(); block += 11) {
    const size_t start = head + block * 101;
    cuts.insert(cuts.end(), {start + 1, start + 2, start + 50, start + 101});
  }
  cuts.push_back(file.size() - 2);
  for (const size_t cut : cuts) {
    if (cut > file.size() - 2) continue;
    SCOPED_TRACE("file cut to " + std::to_string(cut) + " bytes");
    // What the sub-blocks in the cut file hold.
    size_t joined = 0;
    for (size_t block = 0; block * 100 < data.size(); ++block) {
      const size_t start = head + block * 101 + 1;
      if (cut > start) joined += std::min<size_t>({cut - start, 100, data.size() - block * 100});
    }
    ExpectLoaded(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<ptrdiff_t>(cut)),
                 regions::MenuBackground,
                 std::span(writer.Pixels()).first(writer.PixelsWithin(joined)));
  }
}

TEST_F(GifPictureTest, DataBeyondTheInputBufferIsCut) {
  // Noise compresses so badly that this picture's data outgrows the buffer.
  const Picture picture = Noise(1280, 819, 256, 10);
  const std::vector<uint8_t> file = EncodeWithGiflib({picture}, {});
  ASSERT_GT(file.size(), regions::GifInputBuffer.size + 792);

  // The same data joined here and cut where the buffer ends.
  std::vector<uint8_t> joined;
  for (size_t at = 792; file[at] != 0; at += file[at] + 1u) {
    joined.insert(joined.end(), file.begin() + static_cast<ptrdiff_t>(at) + 1,
                  file.begin() + static_cast<ptrdiff_t>(at) + 1 + file[at]);
  }
  joined.resize(regions::GifInputBuffer.size - 1);
  const std::span<const uint8_t> before = Bytes(Block(), regions::LevelPicture);
  std::vector<uint8_t> expected(before.begin(), before.end());
  std::vector<uint8_t> scratch(regions::SceneBuffer.size);
  DecodeLzwData(scratch, joined, 8, expected);
  // The cut data still yields most of the picture's rows.
  ASSERT_GT(*FirstDifference(expected, picture.pixels), picture.pixels.size() / 2);

  directory.Write("noise.gif", file);
  ASSERT_TRUE(LoadGifPicture(game, "noise.gif", regions::LevelPicture));
  const auto wrong = FirstDifference(Bytes(Block(), regions::LevelPicture), expected);
  EXPECT_FALSE(wrong) << "first wrong byte at " << *wrong;
}

TEST_F(GifPictureTest, FilesWithoutAnImageChangeNothingButSucceed) {
  GifLayout layout;
  std::vector<uint8_t> trailerOnly = BuildGifFile(layout, {});
  trailerOnly.resize(13 + 768);
  trailerOnly.push_back(0x3B);
  const std::vector<uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'p',
                                  'i', 'c', 't', 'u', 'r', 'e', '\n'};
  for (const std::vector<uint8_t>& file : {std::vector<uint8_t>{}, trailerOnly, text}) {
    SCOPED_TRACE(std::to_string(file.size()) + " bytes");
    ExpectLoaded(file, regions::MenuBackground, {});
  }
}

TEST_F(GifPictureTest, MissingFileFailsAndChangesNothing) {
  const std::vector<uint8_t> before = Snapshot();
  EXPECT_FALSE(LoadGifPicture(game, "missing.gif", regions::MenuBackground));
  EXPECT_EQ(Snapshot(), before) << "not even the scratch or the input buffer";
  EXPECT_EQ(files.Open(), 0);
}

}  // namespace
}  // namespace zorbulant
