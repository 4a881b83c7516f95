// Display set-up, release and the surface operations.
#include "platform/display.h"

#include <cstring>

#include "assets/file_loader.h"
#include "flow/game.h"
#include "sound/sound_engine.h"

namespace zorbulant {

namespace {

PaletteEntries MakePaletteTable() {
  PaletteEntries table{};
  for (uint32_t i = 0; i < 216; ++i) {
    table[i] = {static_cast<uint8_t>(51 * ((i / 6) % 6)), static_cast<uint8_t>(51 * (i / 36)),
                static_cast<uint8_t>(51 * (i % 6)), 0};
  }
  // 216 to 247 stay black.
  table[248] = {248, 244, 248, 0};
  table[249] = {241, 255, 17, 0};
  table[250] = {7, 6, 16, 0};
  table[251] = {23, 5, 255, 0};
  table[252] = {216, 216, 216, 0};
  table[253] = {183, 0, 0, 0};
  table[254] = {0, 85, 0, 0};
  table[255] = {145, 3, 0, 0};
  return table;
}

void RestoreSurfaces(Game& game) { game.platform.display.Restore(); }

}  // namespace

const PaletteEntries& PaletteTable() {
  static const PaletteEntries table = MakePaletteTable();
  return table;
}

StartupFailure StartDisplay(Game& game) {
  InitSound(game);
  while (game.platform.window.ShowCursor(false) >= 0) {
  }
  // The assets come before the display mode: they need the sound engine (the
  // menu music) but nothing of the display.
  if (!LoadStartupAssets(game)) return StartupFailure::NoMemory;

  DisplayDevice& device = game.platform.display;
  DisplayState& display = game.display;
  display.DisplayDevice = device.Open();
  bool ready = display.DisplayDevice && device.SetExclusiveFullScreen() &&
               device.SetDisplayMode(ScreenWidth, ScreenHeight, 8);
  if (ready) ready = display.PrimarySurface = device.CreateFlippingChain();
  if (ready) ready = display.ScreenPalette = device.CreatePalette(PaletteTable());
  if (ready) ready = device.AttachPalette();
  if (!ready) {
    ReleaseDisplay(game);
    return StartupFailure::NoDisplay;
  }
  return StartupFailure::None;
}

void ReleaseDisplay(Game& game) {
  DisplayDevice& device = game.platform.display;
  DisplayState& display = game.display;
  if (display.ScreenPalette) {
    device.ReleasePalette();
    display.ScreenPalette = false;
  }
  if (display.PrimarySurface) {
    device.ReleaseFlippingChain();
    display.PrimarySurface = false;
  }
  if (display.DisplayDevice) {
    device.Close();
    display.DisplayDevice = false;
  }
}

uint32_t LockBackBuffer(Game& game) {
  LockedSurface surface;
  if (!game.display.PrimarySurface || !game.platform.display.Lock(surface)) {
    if (game.display.PrimarySurface) RestoreSurfaces(game);
    return 1;
  }
  game.display.BackBufferPixels = surface.pixels;
  game.display.RowSkip = surface.pitch - ScreenWidth;
  return 0;
}

void UnlockBackBuffer(Game& game) {
  if (!game.display.PrimarySurface) return;
  // An unlock without a lock fails too; it only asks for a restore.
  if (!game.platform.display.Unlock()) RestoreSurfaces(game);
}

void FlipScreen(Game& game) {
  if (!game.display.PrimarySurface) return;
  game.platform.display.Flip();  // a failed flip is ignored
}

uint32_t GetBackBufferDC(Game& game) {
  TextDevice* context =
      game.display.PrimarySurface ? game.platform.display.GetTextContext() : nullptr;
  if (context == nullptr) {
    if (game.display.PrimarySurface) RestoreSurfaces(game);
    return 1;
  }
  game.display.TextDC = context;
  return 0;
}

void ReleaseBackBufferDC(Game& game) {
  if (!game.display.PrimarySurface) return;
  if (!game.platform.display.ReleaseTextContext(game.display.TextDC)) RestoreSurfaces(game);
}

void ShowPicture(Game& game, const uint8_t* source, uint32_t sourceStride) {
  if (LockBackBuffer(game) == 0) CopyToBackBuffer(game, source, sourceStride);
  UnlockBackBuffer(game);
}

void CopyToBackBuffer(Game& game, const uint8_t* source, uint32_t sourceStride) {
  uint8_t* destination = game.display.BackBufferPixels;
  for (uint32_t row = 0; row < ScreenHeight; ++row) {
    std::memcpy(destination, source, ScreenWidth);
    destination += ScreenWidth + game.display.RowSkip;
    source += sourceStride;
  }
}

}  // namespace zorbulant
