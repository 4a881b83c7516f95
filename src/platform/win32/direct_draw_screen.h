// The exclusive 320x200x8 screen of DirectDraw: "ddraw.dll" loaded at run
// time, the IDirectDraw2 object, the flipping chain with one back buffer and
// the palette.
#pragma once

#include "platform/win32/windows_api.h"

// After windows.h, which it needs.
#include <ddraw.h>

#include <cstdint>

#include "platform/display_device.h"

namespace zorbulant {

class DirectDrawScreen {
 public:
  DirectDrawScreen() = default;
  ~DirectDrawScreen() { Close(); }
  DirectDrawScreen(const DirectDrawScreen&) = delete;
  DirectDrawScreen& operator=(const DirectDrawScreen&) = delete;

  // Set-up steps; each returns true on success.
  bool Open();
  bool SetExclusiveFullScreen(HWND window);
  bool SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
  bool CreateFlippingChain();
  bool CreatePalette(const PaletteEntries& entries);
  bool AttachPalette();

  void ReleasePalette();
  void ReleaseFlippingChain();
  // Releases everything still held and gives the display back to the desktop.
  void Close();

  bool Lock(LockedSurface& surface);
  bool Unlock();
  bool Flip();
  bool Restore();
  // The back buffer's device context; nothing when it cannot be had.
  HDC GetDC();
  bool ReleaseDC(HDC dc);

 private:
  IDirectDraw2* device_ = nullptr;
  IDirectDrawSurface* primary_ = nullptr;
  IDirectDrawSurface* back_ = nullptr;  // attached to the primary, released with it
  IDirectDrawPalette* palette_ = nullptr;
  HWND exclusiveWindow_ = nullptr;
  bool modeSet_ = false;
};

}  // namespace zorbulant
