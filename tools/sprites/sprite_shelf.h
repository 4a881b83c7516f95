// The sprites of a directory of sprite sources, taken off the shelf by name as
// the sheet is drawn, so that a sprite nobody takes (a misspelt name) is
// noticed.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sprites/sprite_source.h"

namespace zorbulant::tools {

class SpriteShelf {
 public:
  explicit SpriteShelf(std::vector<SourceSprite> sprites);

  // The sprite of that name if it has that size and number of frames;
  // otherwise null, and `error` says why.
  const SourceSprite* Take(std::string_view name, uint32_t width, uint32_t height, uint32_t frames,
                           std::string& error);
  // The names of the sprites nobody took, in source order.
  std::vector<std::string> Untaken() const;

 private:
  std::vector<SourceSprite> sprites_;
  std::vector<bool> taken_;
};

struct ShelfResult {
  std::vector<SourceSprite> sprites;
  std::string error;  // empty on success
};

// Every sprite of the directory's "*.txt" files, the files read in name order.
// A name may be used in one file only.
ShelfResult ReadSpriteDirectory(const std::filesystem::path& directory);

}  // namespace zorbulant::tools
