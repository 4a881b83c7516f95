// Writes 8-bit pictures as GIF files in the game's one fixed layout: a global
// table of 256 colours (the game's palette), no extensions, no local table,
// LZW code size 8, not interlaced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

struct IndexedPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // palette indices, row after row

  IndexedPicture(uint32_t w, uint32_t h, uint8_t fill) : width(w), height(h), pixels(w * h, fill) {}
  uint8_t& at(uint32_t x, uint32_t y) { return pixels[y * width + x]; }
};

// False, with a message in `error`, when the file cannot be written.
bool WriteIndexedGif(const std::string& path, const IndexedPicture& picture, std::string& error);

struct NamedPicture {
  const char* name;
  IndexedPicture picture;
};

// The body of a picture tool: writes each picture into the directory named on
// the command line; returns the exit status (2 for bad usage, 1 for a file
// that cannot be written).
int WritePicturesTool(const char* tool, int argc, char** argv,
                      const std::vector<NamedPicture>& pictures);

// Palette index of the colour cube's levels (each 0 to 5).
constexpr uint8_t CubeColour(uint32_t red, uint32_t green, uint32_t blue) {
  return static_cast<uint8_t>(36 * green + 6 * red + blue);
}

}  // namespace zorbulant::tools
