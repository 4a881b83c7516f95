// A level played in memory, for runs on many hostile variants of one level:
// the built pack's hero sheet, a level file, picture and graphics of the
// test's own, started by the intro's Enter as a player starts it and played
// frame by frame with scripted keys. Every start begins from the state that
// start-up left, the clock included; the areas of the work block that
// neither the level's loads nor its play may reach are compared afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_platform.h"

namespace zorbulant::testing {

class PlayedLevel {
 public:
  PlayedLevel();

  // Files of level 0: levelaaa.jmp, levelaaa.gif, lvlgxaaa.gif. A file added
  // again replaces the one before.
  void AddFile(const std::string& name, std::vector<uint8_t> bytes);
  // The game as start-up left it, then the intro of level 0 and its Enter:
  // set-up, level start and the first frame of play.
  void Start();
  // Frames of the game's state machine. The hero walks right all the time,
  // fires every eighth frame and jumps now and then.
  void Play(uint32_t frames);

  // Out-of-reach areas that the start changed: the top margin, the sheet,
  // the buttons, the carried items, the menu background, the free region and
  // what the level header holds past the 4,132 bytes a level file fills.
  std::vector<std::string> ChangedByStart() const;
  // Out-of-reach areas that play changed since the start: the top margin,
  // the sheet, the level graphics and the buttons, the level file's header
  // words, the menu background, the free region and the GIF input buffer; and
  // outside the block, the level search and the settings.
  std::vector<std::string> ChangedInPlay() const;

  Game& game() { return test_.game; }

 private:
  struct Variables {
    HeroVariables hero;
    WorldVariables world;
    EffectsState effects;
    KeyFlags keys;
    FlowState flow;
    LevelSearch level;
    Settings settings;
  };
  Variables Save() const;

  TestGame test_;
  uint32_t frame_ = 0;
  std::vector<uint8_t> startupBlock_;
  Variables startup_;
  HeadlessClock startupClock_;
  std::vector<uint8_t> startedBlock_;
  Variables started_;
};

}  // namespace zorbulant::testing
