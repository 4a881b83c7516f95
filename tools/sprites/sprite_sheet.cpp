// Drawing the sheet: the hero, the fixed items and the catalogue.
#include "sprites/sprite_sheet.h"

#include <algorithm>
#include <cstring>

#include "sprites/hero_pictures.h"
#include "sprites/sprite_catalogue.h"
#include "sprites/sprite_shelf.h"

namespace zorbulant::tools {

namespace {

constexpr uint8_t Nothing = 255;
// Hero pictures treat 232 and up as transparent, the flame 247 and up, the
// icons and the catalogue's sprites 248 and up.
constexpr uint8_t HeroTransparent = 232;
constexpr uint8_t FlameTransparent = 247;
constexpr uint8_t SpriteTransparent = 248;

constexpr SheetItem FixedItems[] = {
    {"hero", 0, HeroWidth, HeroHeight, HeroPictureCount, HeroTransparent},
    {"hud-heart", 51'504, 16, 16, 1, SpriteTransparent},
    {"hud-fuel", 52'528, 16, 16, 1, SpriteTransparent},
    {"flame", 52'784, 38, 10, 4, FlameTransparent},
    {"hero-death", 72'239, 26, 32, 7, SpriteTransparent},
    {"hud-grenade", 81'255, 16, 16, 1, SpriteTransparent},
    // Drawn side by side, the three spell one word.
    {"hud-reload", 81'511, 16, 16, 3, SpriteTransparent},
};
constexpr std::string_view HeroItem = "hero";

}  // namespace

std::span<const SheetItem> FixedSheetItems() { return FixedItems; }

std::vector<SheetItem> SheetItems() {
  std::vector<SheetItem> items(std::begin(FixedItems), std::end(FixedItems));
  for (const SpriteEntry& entry : SpriteCatalogue()) {
    items.push_back(
        {entry.name, entry.offset, entry.width, entry.height, entry.frames, SpriteTransparent});
  }
  std::sort(items.begin(), items.end(),
            [](const SheetItem& a, const SheetItem& b) { return a.offset < b.offset; });
  return items;
}

SheetResult MakeSpriteSheet(std::vector<SourceSprite> sprites) {
  SheetResult result;
  SpriteShelf shelf(std::move(sprites));
  std::vector<uint8_t> bytes(SheetSize, Nothing);
  for (const SheetItem& item : SheetItems()) {
    std::vector<uint8_t> pixels;
    if (item.name == HeroItem) {
      pixels = ComposeHeroPictures(shelf, result.error);
    } else if (const SourceSprite* sprite =
                   shelf.Take(item.name, item.width, item.height, item.frames, result.error)) {
      pixels = sprite->pixels;
    }
    if (!result.error.empty()) return result;
    if (item.end() > SheetSize) {
      result.error = "'" + std::string(item.name) + "' runs past the end of the sheet";
      return result;
    }
    std::memcpy(&bytes[item.offset], pixels.data(), pixels.size());
  }
  if (const std::vector<std::string> untaken = shelf.Untaken(); !untaken.empty()) {
    result.error = "sprite '" + untaken.front() + "' has no place in the sheet";
    return result;
  }
  result.bytes = std::move(bytes);
  return result;
}

IndexedPicture SheetPicture(const std::vector<uint8_t>& bytes) {
  IndexedPicture picture(SheetPictureWidth, SheetPictureHeight, Nothing);
  std::copy_n(bytes.begin(), std::min(bytes.size(), picture.pixels.size()), picture.pixels.begin());
  return picture;
}

}  // namespace zorbulant::tools
