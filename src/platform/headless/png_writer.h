// Writes RGB pictures as PNG files (headless shots).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zorbulant {

// `rgb` holds width x height triples, row after row. False when the file
// cannot be written.
bool WriteRgbPng(const std::filesystem::path& path, uint32_t width, uint32_t height,
                 const std::vector<uint8_t>& rgb);

}  // namespace zorbulant
