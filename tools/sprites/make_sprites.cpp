// Makes the sprite sheet "MAINCHAR.gif" from the sprite sources, or a contact
// sheet of it to look at.
// Usage: zorbulant-sprites SOURCE_DIR OUTPUT_DIR
//        zorbulant-sprites --contact-sheet SOURCE_DIR FILE.png
#include <cstdio>
#include <string>

#include "sprites/contact_sheet.h"
#include "sprites/sprite_sheet.h"
#include "sprites/sprite_shelf.h"

namespace {

using namespace zorbulant::tools;

int Fail(const std::string& message) {
  std::fprintf(stderr, "zorbulant-sprites: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool contact = argc == 4 && std::string(argv[1]) == "--contact-sheet";
  if (argc != 3 && !contact) {
    std::fprintf(stderr,
                 "usage: zorbulant-sprites SOURCE_DIR OUTPUT_DIR\n"
                 "       zorbulant-sprites --contact-sheet SOURCE_DIR FILE.png\n");
    return 2;
  }
  ShelfResult sources = ReadSpriteDirectory(argv[contact ? 2 : 1]);
  if (!sources.error.empty()) return Fail(sources.error);
  const size_t spriteCount = sources.sprites.size();
  const SheetResult sheet = MakeSpriteSheet(std::move(sources.sprites));
  if (!sheet.error.empty()) return Fail(sheet.error);

  std::string error;
  if (contact) {
    if (!WriteContactSheet(sheet.bytes, argv[3], error)) return Fail(error);
    std::printf("zorbulant-sprites: wrote the contact sheet %s\n", argv[3]);
    return 0;
  }
  const std::string path = std::string(argv[2]) + "/MAINCHAR.gif";
  if (!WriteIndexedGif(path, SheetPicture(sheet.bytes), error)) return Fail(error);
  std::printf("zorbulant-sprites: wrote %s, %zu items from %zu source sprites\n", path.c_str(),
              SheetItems().size(), spriteCount);
  return 0;
}
