// Sprite frames from the HeroSheet (which runs on into the LevelGraphics) and
// how level objects draw them into the scene, plus the touch test the objects
// share.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;
class LevelObject;

// Frame `frame` of an animation of width x height frames that starts `offset`
// bytes into the HeroSheet. Null when the frame does not lie wholly inside the
// HeroSheet and LevelGraphics: a level file's sprite must not read elsewhere.
// Null too for a frame of no width or no height.
const uint8_t* SpriteFrame(const Game& game, uint32_t offset, uint32_t frame, uint32_t width,
                           uint32_t height);

// Draws a frame with its top-left corner at (left, top) of the scene. Mirrored,
// source column i goes to left + width - i, one column further right than the
// plain picture's. Values from `transparentFrom` up are not drawn.
void DrawSprite(Game& game, const uint8_t* frame, uint32_t width, uint32_t height, int64_t left,
                int64_t top, bool mirrored, uint8_t transparentFrom);

// A pick-up's or switch's current frame at (X, Y), animated by FrameClock.
void DrawObjectSprite(Game& game, const LevelObject& object);

// X < HeroX <= X + Width and Y < HeroY <= Y + Height, compared unsigned.
bool HeroInsideObject(const Game& game, const LevelObject& object);

}  // namespace zorbulant
