// The input scripts that play the default pack's missions from the start of
// the program. A mission's completion script, content/missions/NAME.txt, holds
// the level's input alone, its turns counted from the level's first frame
// (turn 1); the run first goes from the menu through the intro, where the
// picker steps to the mission, and starts it with Enter.
#pragma once

#include <cstdint>
#include <string>

namespace zorbulant::testing {

struct MissionScript {
  std::string text;       // the whole input script
  uint32_t lastTurn = 0;  // the turn of its last line
};

// The turn of the level's first frame when the picker steps `steps` times.
constexpr uint32_t FirstLevelTurn(uint32_t steps) { return 5 + 2 * steps; }

// Mission `number`'s completion script `name` (say "levelaaa") behind the
// menu, `number` steps of the picker and the intro. Comments are left out.
MissionScript PlayMission(const std::string& name, uint32_t number);

}  // namespace zorbulant::testing
