// The exit test and the walk over the level's objects, once per frame: blocks
// painted into the collision map, deadly barriers, pick-ups, switches, and
// the enemies and sound zones of the actors.
#pragma once

namespace zorbulant {

struct Game;
class LevelObject;

// The exit test, then every record in list order.
void ObjectPass(Game& game);

void UpdateBlock(Game& game, const LevelObject& block);
void UpdateBarrier(Game& game, const LevelObject& barrier);
void UpdatePickup(Game& game, LevelObject& pickup);
void UpdateSwitch(Game& game, LevelObject& lever);

}  // namespace zorbulant
