// Makes the menu pictures the game loads at start-up: the menu background and
// the three menu buttons (front face above back face). The sprite sheet has a
// tool of its own. Usage: zorbulant-start-pictures OUTPUT_DIR
#include "common/indexed_gif.h"
#include "start_pictures/menu_background.h"
#include "start_pictures/menu_buttons.h"

int main(int argc, char** argv) {
  using namespace zorbulant::tools;
  return WritePicturesTool("zorbulant-start-pictures", argc, argv,
                           {{"menuback.gif", MenuBackground()},
                            {"go.gif", GoButton()},
                            {"config.gif", ConfigButton()},
                            {"exit.gif", ExitButton()}});
}
