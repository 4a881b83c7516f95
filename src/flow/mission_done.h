// The mission-done screen: the frozen view with "Mission Done", the mission's
// end picture if it has one, then the next mission's intro.
#pragma once

namespace zorbulant {

struct Game;

void MissionDoneFrame(Game& game);

}  // namespace zorbulant
