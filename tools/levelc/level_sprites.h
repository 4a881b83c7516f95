// The sprites a level may name: those of the shared sheet's catalogue and the
// level's own, which are packed one after another into the level graphics
// picture ("lvlgx") that the game loads right behind the HeroSheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/work_block.h"
#include "sprites/sprite_source.h"

namespace zorbulant::tools {

// Sprite offsets from here on fall into the level graphics.
inline constexpr uint32_t LevelGraphicsStart = regions::HeroSheet.size;
inline constexpr uint32_t SpriteAreaEnd = LevelGraphicsStart + regions::LevelGraphics.size;

struct NamedSprite {
  uint32_t offset = 0;  // counted from the HeroSheet's first byte
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t frames = 1;  // a power of two, so that FrameMask is frames - 1
};

class LevelSprites {
 public:
  LevelSprites() = default;
  // Packs the level's own sprites; throws LevelError naming `fileName` when
  // they do not fit, take a catalogue sprite's name, or cannot animate.
  LevelSprites(const std::vector<SourceSprite>& own, const std::string& fileName);

  std::optional<NamedSprite> Find(std::string_view name) const;
  // The level graphics' pixels; empty when the level has no sprites of its own.
  const std::vector<uint8_t>& Graphics() const { return graphics_; }

 private:
  std::vector<std::pair<std::string, NamedSprite>> own_;
  std::vector<uint8_t> graphics_;
};

}  // namespace zorbulant::tools
