// PNG writing through libpng.
#include "platform/headless/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace zorbulant {

namespace {
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// `channels` bytes a pixel: 3 for RGB, 4 for RGBA.
bool WritePng(const std::filesystem::path& path, uint32_t width, uint32_t height,
              const std::vector<uint8_t>& pixels, uint32_t channels) {
  if (pixels.size() < size_t{width} * height * channels) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, width, height, 8,
               channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t row = 0; row < height; ++row) {
    png_write_row(png, &pixels[size_t{row} * width * channels]);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

}  // namespace

bool WriteRgbPng(const std::filesystem::path& path, uint32_t width, uint32_t height,
                 const std::vector<uint8_t>& rgb) {
  return WritePng(path, width, height, rgb, 3);
}

bool WriteRgbaPng(const std::filesystem::path& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& rgba) {
  return WritePng(path, width, height, rgba, 4);
}

}  // namespace zorbulant
