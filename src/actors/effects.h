// The two effects of which there is one each for the whole game: the
// explosion (two rings per frame and the picture of what blew up flying
// apart) and the hit spray (two drops falling where a shot hit). A new start
// replaces a running one.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;
class LevelObject;

struct Explosion {
  uint32_t OriginX = 0;
  uint32_t OriginY = 0;
  uint32_t RingRadius = 0;
  // The record whose picture flies apart, by its index in the object list; its
  // fields are read anew every frame.
  bool attached = false;
  uint32_t attachedIndex = 0;
  bool attachedEnemy = false;
  uint32_t ExplosionStep = 10'000;  // idle from 30 on; not reset between levels
};

struct HitSpray {
  uint32_t SprayPos = 0;    // row x 1280 + column in the scene
  uint32_t SprayStep = 64;  // idle at 64
  uint32_t SprayFacing = 0;
};

struct EffectsState {
  Explosion explosion;
  HitSpray spray;
};

// Starts the explosion at a dying enemy or a destroyed switch.
void StartExplosion(Game& game, const LevelObject& object, bool enemy);
// Starts the rings alone, at a grenade's burst.
void StartRings(Game& game, uint32_t x, uint32_t y);
void DrawExplosion(Game& game);
// Draws one ring with the midpoint circle method.
void DrawRing(Game& game, uint32_t originX, uint32_t originY, uint32_t radius);

void StartHitSpray(Game& game, uint32_t x, uint32_t y, uint32_t facing);
void DrawHitSpray(Game& game);

}  // namespace zorbulant
