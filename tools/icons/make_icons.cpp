// Makes the game's desktop icons from the hero's sprite sources, in the
// layout of an icon theme: OUTPUT_DIR/NxN/apps/NAME.png for each size and
// OUTPUT_DIR/scalable/apps/NAME.svg.
// Usage: zorbulant-icons SPRITE_SOURCE_DIR OUTPUT_DIR NAME
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "icons/hero_icon.h"
#include "platform/headless/png_writer.h"
#include "sprites/hero_pictures.h"
#include "sprites/sprite_shelf.h"

namespace {

using namespace zorbulant::tools;
namespace fs = std::filesystem;

int Fail(const std::string& message) {
  std::fprintf(stderr, "zorbulant-icons: %s\n", message.c_str());
  return 1;
}

fs::path MakeFolder(const fs::path& folder) {
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zorbulant-icons SPRITE_SOURCE_DIR OUTPUT_DIR NAME\n");
    return 2;
  }
  const fs::path output = argv[2];
  const std::string name = argv[3];
  ShelfResult sources = ReadSpriteDirectory(argv[1]);
  if (!sources.error.empty()) return Fail(sources.error);
  SpriteShelf shelf(std::move(sources.sprites));
  std::string error;
  const std::vector<uint8_t> pictures = ComposeHeroPictures(shelf, error);
  if (!error.empty()) return Fail(error);
  const auto first = pictures.begin() + IconHeroPicture * HeroWidth * HeroHeight;
  const std::vector<uint8_t> hero(first, first + HeroWidth * HeroHeight);

  for (const uint32_t size : IconSizes) {
    const std::string side = std::to_string(size);
    const fs::path file = MakeFolder(output / (side + "x" + side) / "apps") / (name + ".png");
    const RgbaPicture icon = DrawHeroIcon(hero, size);
    if (!zorbulant::WriteRgbaPng(file, icon.width, icon.height, icon.pixels)) {
      return Fail(file.string() + ": cannot be written");
    }
  }
  const fs::path svg = MakeFolder(output / "scalable" / "apps") / (name + ".svg");
  std::ofstream file(svg);
  if (!(file << HeroIconSvg(hero)).flush()) return Fail(svg.string() + ": cannot be written");
  std::printf("zorbulant-icons: wrote %s in %zu sizes and as a scalable picture\n", name.c_str(),
              std::size(IconSizes));
  return 0;
}
