// The game's side of the display: set-up and release, the fixed palette, and
// the surface operations every screen uses (lock, unlock, flip).
#pragma once

#include <cstdint>

#include "platform/display_device.h"

namespace zorbulant {

struct Game;
enum class StartupFailure;

struct DisplayState {
  // Which display objects are held, so that each is released once.
  bool DisplayDevice = false;
  bool PrimarySurface = false;
  bool ScreenPalette = false;
  // Filled by a successful LockBackBuffer.
  uint8_t* BackBufferPixels = nullptr;
  uint32_t RowSkip = 0;  // pitch - 320: bytes to skip after each row of 320
  // The text context last obtained by GetBackBufferDC.
  TextDevice* TextDC = nullptr;
};

inline constexpr uint32_t ScreenWidth = 320;
inline constexpr uint32_t ScreenHeight = 200;

// The fixed palette: a 6x6x6 colour cube at 0 to 215 (green slowest, blue
// fastest), black at 216 to 247, eight fixed colours at 248 to 255.
const PaletteEntries& PaletteTable();

// Sound, cursor, start-up assets, then the 320x200x8 display with one back
// buffer and the fixed palette. A failing display step releases what exists.
StartupFailure StartDisplay(Game& game);
// Releases palette, surfaces and display object, each only if held; safe twice.
void ReleaseDisplay(Game& game);

// 0: locked, BackBufferPixels and RowSkip set. 1: not locked, restore asked.
uint32_t LockBackBuffer(Game& game);
void UnlockBackBuffer(Game& game);
void FlipScreen(Game& game);
// 0: TextDC draws on the back buffer. 1: failed, restore asked.
uint32_t GetBackBufferDC(Game& game);
void ReleaseBackBufferDC(Game& game);

// Copies a 320x200 picture with rows `sourceStride` apart into the locked back
// buffer, skipping RowSkip after each row.
void CopyToBackBuffer(Game& game, const uint8_t* source, uint32_t sourceStride);
// Lock, copy the picture in if the lock succeeded, unlock: how every screen
// puts its picture on the back buffer. A failed lock skips the picture only.
void ShowPicture(Game& game, const uint8_t* source, uint32_t sourceStride);

}  // namespace zorbulant
