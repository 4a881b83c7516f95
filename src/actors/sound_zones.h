// Sound zones: invisible rectangles that play one of the level's two samples
// while the hero stands inside.
#pragma once

namespace zorbulant {

struct Game;
class LevelObject;

void UpdateSoundZone(Game& game, LevelObject& zone);

}  // namespace zorbulant
