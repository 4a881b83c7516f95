// SDL's keys as the PC set-1 scan codes that the keyboard handler expects.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>

namespace zorbulant {

struct PcKey {
  uint32_t scanCode = 0;  // 0: a key the PC keyboard does not have
  bool extended = false;  // an E0-prefixed key (arrow block, right Ctrl and Alt, ...)
};

PcKey PcKeyOf(SDL_Scancode key);

}  // namespace zorbulant
