// Reads a PNG file written by the headless runner back as RGB triples.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zorbulant::testing {

struct RgbImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;
};

// An empty image when the file is missing or not an 8-bit RGB PNG.
RgbImage ReadRgbPng(const std::filesystem::path& path);

}  // namespace zorbulant::testing
