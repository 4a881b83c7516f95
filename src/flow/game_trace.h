// One line of JSON per main-loop turn with the game's variables under their own
// names: what golden tests and the headless runner's --trace record.
#pragma once

#include <cstdint>
#include <string>

namespace zorbulant {

struct Game;

std::string TraceLine(const Game& game, uint32_t turn, uint32_t clock);

}  // namespace zorbulant
