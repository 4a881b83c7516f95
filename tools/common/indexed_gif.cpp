// Fixed-layout GIF writing through giflib.
#include "common/indexed_gif.h"

#include <gif_lib.h>

#include <cstdio>
#include <fstream>

#include "platform/display.h"

namespace zorbulant::tools {

namespace {

int WriteBytes(GifFileType* gif, const GifByteType* bytes, int length) {
  auto& file = *static_cast<std::ofstream*>(gif->UserData);
  file.write(reinterpret_cast<const char*>(bytes), length);
  return file ? length : 0;
}

}  // namespace

bool WriteIndexedGif(const std::string& path, const IndexedPicture& picture, std::string& error) {
  // Through a stream rather than giflib's own file opening, which makes the
  // file readable by its owner only: an installed data pack is read by all.
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  int status = 0;
  GifFileType* gif = file ? EGifOpen(&file, WriteBytes, &status) : nullptr;
  if (gif == nullptr) {
    error = path + ": " + (file ? GifErrorString(status) : "cannot be written");
    return false;
  }
  // The colour table is the game's own palette, so ordinary viewers show the
  // picture as the game will.
  GifColorType colours[256];
  const PaletteEntries& palette = PaletteTable();
  for (int i = 0; i < 256; ++i) colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
  ColorMapObject* map = GifMakeMapObject(256, colours);
  const auto width = static_cast<int>(picture.width);
  const auto height = static_cast<int>(picture.height);
  bool ok = map != nullptr && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int row = 0; ok && row < height; ++row) {
    auto* line =
        const_cast<GifPixelType*>(&picture.pixels[static_cast<size_t>(row) * picture.width]);
    ok = EGifPutLine(gif, line, width) == GIF_OK;
  }
  if (!ok) error = path + ": " + GifErrorString(gif->Error);
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &status) != GIF_OK && ok) {
    error = path + ": " + GifErrorString(status);
    ok = false;
  }
  file.close();
  if (ok && !file) {
    error = path + ": cannot be written";
    ok = false;
  }
  return ok;
}

int WritePicturesTool(const char* tool, int argc, char** argv,
                      const std::vector<NamedPicture>& pictures) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", tool);
    return 2;
  }
  for (const auto& [name, picture] : pictures) {
    std::string error;
    if (!WriteIndexedGif(std::string(argv[1]) + "/" + name, picture, error)) {
      std::fprintf(stderr, "%s: %s\n", tool, error.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace zorbulant::tools
