// Writes pictures as PNG files: headless shots in RGB, icons in RGBA.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zorbulant {

// `rgb` holds width x height triples, row after row. False when the file
// cannot be written.
bool WriteRgbPng(const std::filesystem::path& path, uint32_t width, uint32_t height,
                 const std::vector<uint8_t>& rgb);
// The same with an alpha channel: width x height quadruples.
bool WriteRgbaPng(const std::filesystem::path& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& rgba);

}  // namespace zorbulant
