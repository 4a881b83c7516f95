// The end pictures, each a 1280 x 200 picture whose left 320 x 200 the game
// shows after a mission's "Mission Done".
#pragma once

#include "common/indexed_gif.h"

namespace zorbulant::tools {

inline constexpr uint32_t EndPictureWidth = 1280;
inline constexpr uint32_t EndPictureHeight = 200;

// After mission 3 (lvendaad.gif): an enemy transmission intercepted.
IndexedPicture TransmissionScene();
// After mission 5 (lvendaaf.gif): the citadel's reactor shut down.
IndexedPicture ReactorScene();
// After the last mission (lvendaah.gif): the hero under the ringed planet,
// the citadel burning behind him: the end of the game.
IndexedPicture FinaleScene();

}  // namespace zorbulant::tools
