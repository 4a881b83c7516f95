// The mission intro with its level picker, the level set-up on confirm, and
// the level start that hands over to play.
#pragma once

namespace zorbulant {

struct Game;

void MissionIntroFrame(Game& game);
// Loads the level's graphics, its two samples and its music.
void LevelSetUp(Game& game);
// Reads the level files again, resets the hero and starts play.
void LevelStart(Game& game);

}  // namespace zorbulant
