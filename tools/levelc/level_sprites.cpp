// Finding sprites by name, and packing a level's own sprites.
#include "levelc/level_sprites.h"

#include <bit>

#include "levelc/level_error.h"
#include "sprites/sprite_catalogue.h"

namespace zorbulant::tools {

LevelSprites::LevelSprites(const std::vector<SourceSprite>& own, const std::string& fileName) {
  for (const SourceSprite& sprite : own) {
    const std::string place = fileName + ": sprite '" + sprite.name + "'";
    if (FindSprite(sprite.name) != nullptr) {
      throw LevelError(place + " has the name of a sprite of the shared sheet");
    }
    // The frame shown is the clock (or position) masked with frames - 1.
    if (!std::has_single_bit(sprite.frames)) {
      throw LevelError(place + " has " + std::to_string(sprite.frames) +
                       " frames; animations have 1, 2, 4, 8... frames");
    }
    if (graphics_.size() + sprite.pixels.size() > regions::LevelGraphics.size) {
      throw LevelError(place + " does not fit: a level's own sprites hold at most " +
                       std::to_string(regions::LevelGraphics.size) + " pixels");
    }
    own_.push_back({sprite.name,
                    {static_cast<uint32_t>(LevelGraphicsStart + graphics_.size()), sprite.width,
                     sprite.height, sprite.frames}});
    graphics_.insert(graphics_.end(), sprite.pixels.begin(), sprite.pixels.end());
  }
}

std::optional<NamedSprite> LevelSprites::Find(std::string_view name) const {
  if (const SpriteEntry* entry = FindSprite(name)) {
    return NamedSprite{entry->offset, entry->width, entry->height, entry->frames};
  }
  for (const auto& [ownName, sprite] : own_) {
    if (ownName == name) return sprite;
  }
  return std::nullopt;
}

}  // namespace zorbulant::tools
