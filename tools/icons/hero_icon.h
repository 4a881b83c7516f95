// The game's icon: one of the hero's pictures, scaled by whole numbers with
// nearest neighbours and cropped for the small sizes so the pixel art stays
// crisp. Small icons show the head and shoulders; large ones the whole figure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

// The sizes a desktop's icon theme asks for, in pixels.
inline constexpr uint32_t IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The hero's first walking picture with the pistol, as a player first sees it.
inline constexpr uint32_t IconHeroPicture = 0;

struct RgbaPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // red, green, blue, alpha; rows top first
};

// Which part of the hero's 16 x 32 picture an icon shows: a window of
// `columns` x `rows` source pixels from (`left`, 0), each drawn `scale` x
// `scale`. The window may reach past the picture's sides, which stay clear.
struct IconWindow {
  uint32_t scale = 1;
  int32_t left = 0;
  uint32_t columns = 0;
  uint32_t rows = 0;
};

// The window of one size, its columns centred on the figure's drawn pixels in
// the rows it shows. `hero` is one picture of palette indices, 255 where
// nothing is drawn.
IconWindow WindowForSize(const std::vector<uint8_t>& hero, uint32_t size);

// The icon of one size: the figure in the game's palette, clear around it.
RgbaPicture DrawHeroIcon(const std::vector<uint8_t>& hero, uint32_t size);

// The same figure as a scalable picture: a square of 32 x 32 units with one
// rectangle per run of equal pixels in a row.
std::string HeroIconSvg(const std::vector<uint8_t>& hero);

}  // namespace zorbulant::tools
