// Enemies: walking, jumping, shooting level objects that kill the hero on
// contact and die from his shots. Each moves on the level picture's solid
// pixels with single-pixel probes.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;
class LevelObject;

// Fires, takes hits, moves and draws one enemy for one frame.
void UpdateEnemy(Game& game, LevelObject& enemy);
// Puts a new shot into the enemy shot table.
void EnemyFire(Game& game, const LevelObject& enemy);
// Starts a jump unless one is under way.
void StartEnemyJump(LevelObject& enemy);
// Tests the enemy against the hero's six shot slots and applies the damage.
void ApplyShotHits(Game& game, LevelObject& enemy);

}  // namespace zorbulant
