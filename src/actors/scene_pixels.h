// Single pixels of the level picture and the scene, as shots, enemies and
// effects read and write them. Level coordinates are unsigned words; a value
// that went below 0 stands for a place left of or above the level.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

// A level picture pixel; places outside the 1280 x 819 picture read 0, empty.
uint8_t LevelPixel(const Game& game, uint32_t x, uint32_t y);

// Solid for shots, enemies and grenades: 248 and up.
inline constexpr uint8_t ActorSolidFrom = 248;
inline bool ActorSolid(const Game& game, uint32_t x, uint32_t y) {
  return LevelPixel(game, x, y) >= ActorSolidFrom;
}

// A coordinate word read as the signed number it stands for.
inline int64_t Signed(uint32_t value) { return static_cast<int32_t>(value); }

// Writes one scene pixel; places outside the 1280 x 1024 scene are skipped.
void PutScenePixel(Game& game, int64_t x, int64_t y, uint8_t value);
// Writes the scene byte at a linear position row x 1280 + column; positions
// before the scene's first byte or past its end are skipped.
void PutSceneByte(Game& game, int64_t position, uint8_t value);

}  // namespace zorbulant
