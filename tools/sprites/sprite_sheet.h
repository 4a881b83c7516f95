// The sprite sheet "MAINCHAR.gif". The game decodes it as one run of bytes
// into the HeroSheet and reads every sprite as a block of width x height bytes
// at its offset, whatever the picture's own width: the hero's pictures at the
// start, the head-up display's icons, the flame and the death animation at
// offsets the game itself knows, and the catalogue's sprites in the gaps.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/indexed_gif.h"
#include "sprites/sprite_source.h"

namespace zorbulant::tools {

inline constexpr uint32_t SheetSize = 83'303;  // the HeroSheet region
// The picture is 16 wide, one hero picture every 32 rows, and long enough to
// fill the region.
inline constexpr uint32_t SheetPictureWidth = 16;
inline constexpr uint32_t SheetPictureHeight =
    (SheetSize + SheetPictureWidth - 1) / SheetPictureWidth;

struct SheetItem {
  std::string_view name;
  uint32_t offset;
  uint32_t width;
  uint32_t height;
  uint32_t frames;
  uint8_t transparentFrom;  // the game draws no value from this one up
  uint32_t end() const { return offset + width * height * frames; }
};

// The items at the game's own offsets, in sheet order; "hero" is composed
// from parts, the others are the source sprites of their names.
std::span<const SheetItem> FixedSheetItems();
// The fixed items and the catalogue's sprites, in sheet order.
std::vector<SheetItem> SheetItems();

struct SheetResult {
  std::vector<uint8_t> bytes;  // SheetSize of them; 255 where nothing is drawn
  std::string error;           // empty on success
};

// Draws the sheet from the sprites of the sources. Every item must find its
// sprite, of its size, and every sprite must find a place.
SheetResult MakeSpriteSheet(std::vector<SourceSprite> sprites);

// The sheet's bytes as the picture the file holds, its tail 255.
IndexedPicture SheetPicture(const std::vector<uint8_t>& bytes);

}  // namespace zorbulant::tools
