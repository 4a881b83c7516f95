// The in-game frame: the order of one frame of play, the camera, the scene
// composed in level coordinates and the view window shown from it.
#pragma once

#include <cstdint>

#include "assets/work_block.h"

namespace zorbulant {

struct Game;

void InGameFrame(Game& game);

// The view window's top-left corner in level pixels.
uint32_t ViewLeft(const Game& game);
uint32_t ViewTop(const Game& game);

// The view window's top-left byte in the scene or the level picture, which
// share their layout.
uint8_t* ViewWindow(Game& game, Region picture);

// Moves CameraY after the hero has moved.
void MoveCamera(Game& game);
// Copies the view window from the level picture into the scene.
void RestoreScene(Game& game);
// Everything in the world but the hero's own movement, in its fixed order.
void WorldStep(Game& game);
// Shows the view window of the scene and flips.
void PresentView(Game& game);
// Draws `copies` of a 16x16 or other HeroSheet picture 5 pixels apart,
// relative to the view window; pixels of 248 and up are not drawn.
void DrawHudIcons(Game& game, uint32_t x, uint32_t y, uint32_t spriteOffset, uint32_t width,
                  uint32_t height, uint32_t copies);
// Waits until FrameLimit milliseconds have passed since LastFrameTime.
void PaceFrame(Game& game);

}  // namespace zorbulant
