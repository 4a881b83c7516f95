// The game state machine: one frame of the screen that GameState names.
#pragma once

namespace zorbulant {

struct Game;

void GameFrame(Game& game);

}  // namespace zorbulant
