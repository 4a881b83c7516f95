// GIF reading through giflib.
#include "levelc/indexed_gif_reader.h"

#include <gif_lib.h>

#include <algorithm>

namespace zorbulant::tools {

std::optional<IndexedPicture> ReadIndexedGif(const std::filesystem::path& path) {
  int status = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &status);
  if (gif == nullptr) return std::nullopt;
  std::optional<IndexedPicture> picture;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
    const SavedImage& image = gif->SavedImages[0];
    picture.emplace(static_cast<uint32_t>(image.ImageDesc.Width),
                    static_cast<uint32_t>(image.ImageDesc.Height), 0);
    std::copy_n(image.RasterBits, picture->pixels.size(), picture->pixels.begin());
  }
  DGifCloseFile(gif, &status);
  return picture;
}

}  // namespace zorbulant::tools
