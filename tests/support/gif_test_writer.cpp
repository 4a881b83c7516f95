// Test-only GIF writing: raw LZW code streams, hand-built files and giflib.
#include "support/gif_test_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <stdexcept>

namespace zorbulant::testing {

LzwCodeWriter::LzwCodeWriter(uint32_t minimumCodeSize) : minimumCodeSize_(minimumCodeSize) {
  Reset();
}

void LzwCodeWriter::Reset() {
  table_.clear();
  for (uint32_t root = 0; root < ClearCode(); ++root) {
    table_.push_back({static_cast<uint8_t>(root)});
  }
  table_.emplace_back();  // the clear code
  table_.emplace_back();  // the end code
  width_ = minimumCodeSize_ + 1;
  atFirstCode_ = true;
  frozen_ = false;
}

void LzwCodeWriter::Put(uint32_t value) {
  for (uint32_t bit = 0; bit < width_; ++bit) bits_.push_back((value >> bit) & 1);
}

void LzwCodeWriter::Clear() {
  Put(ClearCode());
  Reset();
  codeEnds_.push_back({bits_.size(), pixels_.size()});
}

void LzwCodeWriter::End() {
  Put(EndCode());
  codeEnds_.push_back({bits_.size(), pixels_.size()});
}

void LzwCodeWriter::RawCode(uint32_t value) {
  Put(value);
  codeEnds_.push_back({bits_.size(), pixels_.size()});
}

void LzwCodeWriter::Code(uint32_t code) { CodeWrittenAs(code, code); }

void LzwCodeWriter::CodeWrittenAs(uint32_t code, uint32_t written) {
  const bool grows = !frozen_ && !TableFull();
  const bool inTable = code < NextCode() && code != ClearCode() && code != EndCode();
  if (atFirstCode_ ? code >= ClearCode() : !inTable && !(code == NextCode() && grows)) {
    throw std::invalid_argument("no string for this code");
  }
  Put(written);
  std::vector<uint8_t> string;
  if (atFirstCode_) {
    string = table_[code];
    atFirstCode_ = false;
  } else {
    if (inTable) {
      string = table_[code];
    } else {
      string = table_[previous_];
      string.push_back(string.front());
      ++nextCodesWritten_;
    }
    if (grows) {
      std::vector<uint8_t> added = table_[previous_];
      added.push_back(string.front());
      table_.push_back(std::move(added));
      const uint32_t topCode = NextCode() - 1;
      if (topCode >= (1u << width_) - 1 && width_ < 12) ++width_;
    }
  }
  pixels_.insert(pixels_.end(), string.begin(), string.end());
  previous_ = code;
  codeEnds_.push_back({bits_.size(), pixels_.size()});
}

std::vector<uint8_t> LzwCodeWriter::Bytes() const {
  std::vector<uint8_t> bytes((bits_.size() + 7) / 8, 0);
  for (size_t bit = 0; bit < bits_.size(); ++bit) {
    bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] | bits_[bit] << (bit % 8));
  }
  return bytes;
}

size_t LzwCodeWriter::PixelsWithin(size_t byteCount) const {
  const auto after =
      std::upper_bound(codeEnds_.begin(), codeEnds_.end(), byteCount * 8,
                       [](size_t limit, const CodeEnd& end) { return limit < end.bit; });
  return after == codeEnds_.begin() ? 0 : std::prev(after)->pixels;
}

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

// The size field of a colour table flag byte: the table holds 2^(field + 1).
uint8_t SizeField(uint32_t colours) {
  uint8_t field = 0;
  while ((2u << field) < colours) ++field;
  return field;
}

GifColorType TestColour(uint32_t index) {
  return {static_cast<GifByteType>(index), static_cast<GifByteType>(255 - index),
          static_cast<GifByteType>(index * 7)};
}

void PutColourTable(std::vector<uint8_t>& out, uint32_t colours) {
  for (uint32_t index = 0; index < colours; ++index) {
    const GifColorType colour = TestColour(index);
    out.insert(out.end(), {colour.Red, colour.Green, colour.Blue});
  }
}

void PutSubBlocks(std::vector<uint8_t>& out, std::span<const uint8_t> data, uint32_t length) {
  for (size_t at = 0; at < data.size(); at += length) {
    const size_t count = std::min<size_t>(length, data.size() - at);
    out.push_back(static_cast<uint8_t>(count));
    out.insert(out.end(), data.begin() + static_cast<ptrdiff_t>(at),
               data.begin() + static_cast<ptrdiff_t>(at + count));
  }
  out.push_back(0);
}

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int length) {
  auto& out = *static_cast<std::vector<uint8_t>*>(gif->UserData);
  out.insert(out.end(), bytes, bytes + length);
  return length;
}

ColorMapObject* MakeColourMap(uint32_t colours) {
  if (colours == 0) return nullptr;
  std::vector<GifColorType> entries;
  for (uint32_t index = 0; index < colours; ++index) entries.push_back(TestColour(index));
  return GifMakeMapObject(static_cast<int>(colours), entries.data());
}

void Check(int result, const char* step) {
  if (result == GIF_ERROR) throw std::runtime_error(std::string("giflib failed at ") + step);
}

}  // namespace

std::vector<uint8_t> BuildGifFile(const GifLayout& layout, std::span<const uint8_t> lzwData) {
  std::vector<uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  PutWord(out, layout.imageWidth);
  PutWord(out, layout.imageHeight);
  out.push_back(layout.globalColours == 0 ? 0x70 : 0xF0 | SizeField(layout.globalColours));
  out.insert(out.end(), {0, 0});
  PutColourTable(out, layout.globalColours);
  for (const GifExtension& extension : layout.extensions) {
    out.insert(out.end(), {0x21, extension.label});
    PutSubBlocks(out, extension.data, 255);
  }
  out.push_back(0x2C);
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, layout.imageWidth);
  PutWord(out, layout.imageHeight);
  uint8_t flags = layout.interlaced ? 0x40 : 0;
  if (layout.localColours != 0)
    flags = static_cast<uint8_t>(flags | 0x80 | SizeField(layout.localColours));
  out.push_back(flags);
  PutColourTable(out, layout.localColours);
  out.push_back(layout.minimumCodeSize);
  PutSubBlocks(out, lzwData, layout.subBlockLength);
  out.push_back(0x3B);
  return out;
}

std::vector<uint8_t> EncodeWithGiflib(const std::vector<Picture>& images,
                                      const GiflibOptions& options) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  if (gif == nullptr) throw std::runtime_error("giflib cannot open a writer");
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MakeColourMap(options.globalColours);
  Check(EGifPutScreenDesc(gif, static_cast<int>(images.front().width),
                          static_cast<int>(images.front().height), 8, 0, global),
        "screen");
  GifFreeMapObject(global);
  for (const GifExtension& extension : options.extensions) {
    Check(EGifPutExtensionLeader(gif, extension.label), "extension");
    for (size_t at = 0; at < extension.data.size(); at += 255) {
      const size_t count = std::min<size_t>(255, extension.data.size() - at);
      Check(EGifPutExtensionBlock(gif, static_cast<int>(count), extension.data.data() + at),
            "extension block");
    }
    Check(EGifPutExtensionTrailer(gif), "extension trailer");
  }
  for (const Picture& image : images) {
    ColorMapObject* local = MakeColourMap(options.localColours);
    Check(EGifPutImageDesc(gif, 0, 0, static_cast<int>(image.width), static_cast<int>(image.height),
                           options.interlaced, local),
          "image");
    GifFreeMapObject(local);
    // An interlaced image's rows go out in pass order.
    std::vector<uint32_t> rows;
    if (options.interlaced) {
      for (const auto& [first, step] : {std::pair{0u, 8u}, {4u, 8u}, {2u, 4u}, {1u, 2u}}) {
        for (uint32_t row = first; row < image.height; row += step) rows.push_back(row);
      }
    } else {
      for (uint32_t row = 0; row < image.height; ++row) rows.push_back(row);
    }
    for (const uint32_t row : rows) {
      std::vector<GifPixelType> line(image.pixels.begin() + row * image.width,
                                     image.pixels.begin() + (row + 1) * image.width);
      Check(EGifPutLine(gif, line.data(), static_cast<int>(image.width)), "line");
    }
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR) throw std::runtime_error("giflib cannot finish");
  return out;
}

}  // namespace zorbulant::testing
