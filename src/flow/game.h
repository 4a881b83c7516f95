// The one game object: every variable, record and region of the game lives
// here, so that any number of games can run side by side (tests do).
#pragma once

#include "actors/effects.h"
#include "assets/work_block.h"
#include "flow/flow_state.h"
#include "platform/display.h"
#include "platform/key_flags.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/text_job.h"
#include "sound/settings.h"
#include "sound/sound_engine.h"
#include "world/hero_variables.h"
#include "world/level_search.h"

namespace zorbulant {

struct Game {
  explicit Game(Platform& platformServices) : platform(platformServices) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Platform& platform;

  ShellState shell;
  DisplayState display;
  KeyFlags keys;
  TextJob textJob;
  WorkBlock work;
  HeroVariables hero;
  WorldVariables world;
  EffectsState effects;
  LevelSearch level;
  FlowState flow;
  Settings settings;
  RegistryJob registry;
  SoundEngine sound;
};

}  // namespace zorbulant
