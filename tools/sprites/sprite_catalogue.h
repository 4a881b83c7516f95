// The shared sprites of the sprite sheet ("MAINCHAR.gif") that levels may
// name: pick-ups, switches with their spent pictures, and enemies with their
// walk cycles. The level compiler turns a name into the sprite's HeroSheet
// offset and size; the sheet maker draws each one at its offset.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zorbulant::tools {

struct SpriteEntry {
  std::string_view name;  // lower case, words joined by '-', e.g. "key-a"
  uint32_t offset;        // first byte of frame 0, counted from the HeroSheet's start
  uint32_t width;
  uint32_t height;
  uint32_t frames;  // a power of two; frame k lies at offset + k x width x height
};

// Every named sprite, in sheet order.
std::span<const SpriteEntry> SpriteCatalogue();

// The entry of that name, or null.
const SpriteEntry* FindSprite(std::string_view name);

}  // namespace zorbulant::tools
