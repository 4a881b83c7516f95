// Fixed-layout GIF writing through giflib.
#include "common/indexed_gif.h"

#include <gif_lib.h>

#include "platform/display.h"

namespace zorbulant::tools {

bool WriteIndexedGif(const std::string& path, const IndexedPicture& picture, std::string& error) {
  int status = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &status);
  if (gif == nullptr) {
    error = path + ": " + GifErrorString(status);
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
  return ok;
}

}  // namespace zorbulant::tools
