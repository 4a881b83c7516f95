// The game state machine.
#include "flow/game_frame.h"

#include "flow/game.h"
#include "flow/main_menu.h"

namespace zorbulant {

void GameFrame(Game& game) {
  // Every value without a screen of its own runs the main menu, whose cursor
  // step brings it back into 0 to 3.
  MainMenuFrame(game);
}

}  // namespace zorbulant
