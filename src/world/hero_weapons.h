// What happens in the frame in which the fire key goes down.
#pragma once

namespace zorbulant {

struct Game;

// The firing step of the world step: the flame's cut-off, then one shot per
// press of the fire key.
void FiringStep(Game& game);

}  // namespace zorbulant
