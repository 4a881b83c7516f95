// The game state machine: one frame of the screen that GameState names.
#pragma once

namespace zorbulant {

struct Game;

void GameFrame(Game& game);
// Back to the main menu, its music started again from the beginning.
void ReturnToMenu(Game& game);

}  // namespace zorbulant
