// Makes the menu pictures the game loads at start-up: the menu background and
// the three menu buttons (front face above back face). The sprite sheet has a
// tool of its own. Usage: zorbulant-start-pictures OUTPUT_DIR
#include <cstdio>
#include <string>

#include "common/indexed_gif.h"
#include "start_pictures/menu_background.h"
#include "start_pictures/menu_buttons.h"

using zorbulant::tools::IndexedPicture;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorbulant-start-pictures OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = argv[1];
  const struct {
    const char* name;
    IndexedPicture picture;
  } pictures[] = {
      {"menuback.gif", zorbulant::tools::MenuBackground()},
      {"go.gif", zorbulant::tools::GoButton()},
      {"config.gif", zorbulant::tools::ConfigButton()},
      {"exit.gif", zorbulant::tools::ExitButton()},
  };
  for (const auto& [name, picture] : pictures) {
    std::string error;
    if (!zorbulant::tools::WriteIndexedGif(directory + "/" + name, picture, error)) {
      std::fprintf(stderr, "zorbulant-start-pictures: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
