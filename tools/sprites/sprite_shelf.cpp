// Reading a directory of sprite sources and handing out its sprites.
#include "sprites/sprite_shelf.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace zorbulant::tools {

SpriteShelf::SpriteShelf(std::vector<SourceSprite> sprites)
    : sprites_(std::move(sprites)), taken_(sprites_.size(), false) {}

const SourceSprite* SpriteShelf::Take(std::string_view name, uint32_t width, uint32_t height,
                                      uint32_t frames, std::string& error) {
  const std::string wanted =
      std::to_string(width) + "x" + std::to_string(height) + " frames " + std::to_string(frames);
  for (size_t i = 0; i < sprites_.size(); ++i) {
    const SourceSprite& sprite = sprites_[i];
    if (sprite.name != name) continue;
    if (sprite.width != width || sprite.height != height || sprite.frames != frames) {
      error = "sprite '" + sprite.name + "' is " + std::to_string(sprite.width) + "x" +
              std::to_string(sprite.height) + " frames " + std::to_string(sprite.frames) +
              "; the sheet wants " + wanted;
      return nullptr;
    }
    taken_[i] = true;
    return &sprite;
  }
  error = "no sprite '" + std::string(name) + "' (" + wanted + ")";
  return nullptr;
}

std::vector<std::string> SpriteShelf::Untaken() const {
  std::vector<std::string> names;
  for (size_t i = 0; i < sprites_.size(); ++i) {
    if (!taken_[i]) names.push_back(sprites_[i].name);
  }
  return names;
}

ShelfResult ReadSpriteDirectory(const std::filesystem::path& directory) {
  ShelfResult result;
  std::error_code status;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(directory, status)) {
    if (entry.is_regular_file() && entry.path().extension() == ".txt")
      files.push_back(entry.path());
  }
  if (status) {
    result.error = directory.string() + ": " + status.message();
    return result;
  }
  std::sort(files.begin(), files.end());
  std::map<std::string, std::string> homes;  // sprite name -> the file that has it
  for (const std::filesystem::path& file : files) {
    std::ifstream input(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    if (!input.good() && !input.eof()) {
      result.error = file.string() + ": cannot be read";
      return result;
    }
    SpriteSourceResult parsed = ParseSpriteSource(text, file.string());
    if (!parsed.error.empty()) {
      result.error = parsed.error;
      return result;
    }
    for (SourceSprite& sprite : parsed.sprites) {
      const auto [home, added] = homes.emplace(sprite.name, file.string());
      if (!added) {
        result.error =
            file.string() + ": '" + sprite.name + "' is already a sprite in " + home->second;
        return result;
      }
      result.sprites.push_back(std::move(sprite));
    }
  }
  return result;
}

}  // namespace zorbulant::tools
