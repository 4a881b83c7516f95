// The sound engine's calls into the library at start-up and shutdown, in its
// order and with its values, for tests of the library on its own.
#pragma once

#include <cstdint>

#include "platform/sound_library.h"

namespace zorbulant::testing {

// What the start-up steps gave.
struct StartUp {
  uint32_t open = 0;
  uint32_t apply = 0;
  uint32_t output = 0;
  uint32_t mixer = 0;
  uint32_t voices = 0;
};

// Every step of the start-up, without stopping at a failure.
StartUp StartLikeTheEngine(SoundLibrary& library);
void ShutDownLikeTheEngine(SoundLibrary& library);

}  // namespace zorbulant::testing
