// The game state machine's own variables.
#pragma once

#include <cstdint>

namespace zorbulant {

// Screens, by the value of GameState.
enum GameStateValue : uint32_t {
  StateMenuGo = 0,
  StateMenuConfig = 1,
  StateMenuExit = 2,
  StateMenuNone = 3,
  StateInGame = 4,
  StateHeroLost = 5,
  StateMissionDone = 6,
  StateConfiguration = 7,
  StateLevelStart = 8,
  StateMissionIntro = 9,
  StateBackToMenu = 12,
};

struct FlowState {
  uint32_t GameState = StateMenuGo;
  uint32_t MenuClock = 0;    // clock at the start of the menu's drawing
  uint32_t ScreenTimer = 0;  // frames of the mission-done and hero-lost screens
  uint32_t ConfigCursor = 0;
  // What the configuration screen restores on "Back, do not save".
  uint32_t SavedAmplification = 0;
  uint32_t SavedFrameLimit = 0;
  char LevelSampleName[13] = "lsfx2aab.wav";
};

}  // namespace zorbulant
