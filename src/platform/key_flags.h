// The key flags, 32-bit 0/1 words in their fixed order. Screens read them once
// per frame; only the keyboard handler and the screens themselves change them.
#pragma once

#include <cstdint>

namespace zorbulant {

struct KeyFlags {
  uint32_t KeyEscape = 0;
  uint32_t KeyUp = 0;
  uint32_t KeyLeft = 0;
  uint32_t KeyRight = 0;
  uint32_t KeyJump = 0;      // jump in game, confirm in menus
  uint32_t JumpKeyLast = 0;  // KeyJump of the previous in-game frame
  uint32_t KeyFire = 0;
  uint32_t KeyDown = 0;  // duck in game, cursor down in menus
};

static_assert(sizeof(KeyFlags) == 32);

}  // namespace zorbulant
