// The hero's movement and animation: a foot point that walks, climbs one-pixel
// steps, jumps, floats and falls through the level picture's solid colours,
// and the picture chosen for it each frame.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

// Solid for the hero: a level picture pixel of 232 or more. Points outside the
// 1280 x 819 picture are empty.
bool HeroSolid(const Game& game, uint32_t x, uint32_t y);

// Movement steps 1 to 6, before the frame pacing.
void MoveHero(Game& game);
// Animation steps, after the frame pacing; returns the HeroSheet offset of the
// picture to draw.
uint32_t AnimateHero(Game& game);
// Draws a 16 x 32 hero picture around the foot point (x, y), mirrored when
// asked; pixels of 232 and up are transparent. A picture that does not lie
// wholly in the sheet and the level graphics is not drawn.
void DrawHeroSprite(Game& game, uint32_t x, uint32_t y, uint32_t sheetOffset, uint32_t mirrored);

}  // namespace zorbulant
