#include "support/png_reader.h"

#include <png.h>

#include <cstring>

namespace zorbulant::testing {

RgbImage ReadRgbPng(const std::filesystem::path& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  RgbImage result{image.width, image.height, std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr)) return {};
  return result;
}

}  // namespace zorbulant::testing
