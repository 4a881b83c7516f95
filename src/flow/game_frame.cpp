// The game state machine.
#include "flow/game_frame.h"

#include <algorithm>

#include "flow/configuration_screen.h"
#include "flow/game.h"
#include "flow/hero_lost.h"
#include "flow/main_menu.h"
#include "flow/mission_done.h"
#include "flow/mission_intro.h"
#include "world/in_game_frame.h"

namespace zorbulant {

void ReturnToMenu(Game& game) {
  std::copy_n("Intro001", 8, game.sound.MusicFileName);
  PlayMusic(game);
  game.flow.GameState = StateMenuGo;
}

void GameFrame(Game& game) {
  // The values are tested in this order, as they always were.
  const uint32_t state = game.flow.GameState;
  if (state == StateInGame) return InGameFrame(game);
  if (state == StateConfiguration) return ConfigurationFrame(game);
  if (state == StateHeroLost) {
    game.keys.KeyJump = 0;
    game.keys.KeyLeft = 0;
    game.keys.KeyRight = 0;
  }
  if (state == StateMissionDone) return MissionDoneFrame(game);
  if (state == StateHeroLost) return HeroLostFrame(game);
  if (state == StateLevelStart) return LevelStart(game);
  // Escape held in the frame of the hero's death gives 5 + 8: leaving wins,
  // back to the menu with its music, rather than a menu with "config" chosen
  // and the level's music still playing.
  if (state == StateBackToMenu || state == StateHeroLost + 8) return ReturnToMenu(game);
  if (state == StateMissionIntro) return MissionIntroFrame(game);
  // Every other value runs the main menu, whose cursor step brings it back
  // into 0 to 3.
  MainMenuFrame(game);
}

}  // namespace zorbulant
