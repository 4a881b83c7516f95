// The display of the Windows program: DirectDraw's exclusive 320x200x8 screen
// when the machine grants it, otherwise the same picture in the ordinary
// window. The game's set-up steps stay the same either way: when exclusive
// mode is refused the display answers the remaining steps with the windowed
// screen.
#pragma once

#include <cstdint>

#include "platform/display_device.h"
#include "platform/win32/direct_draw_screen.h"
#include "platform/win32/gdi_text_device.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_window.h"
#include "platform/win32/windowed_screen.h"

namespace zorbulant {

class Win32Display final : public DisplayDevice {
 public:
  // Pictures go to `window`. Each flip first waits for the next refresh of a
  // 70 Hz display on `refreshClock`; without one flips wait for nothing but
  // the exclusive screen itself. `windowed` skips the exclusive screen.
  Win32Display(Win32Window& window, Win32Clock* refreshClock, bool windowed);
  // The window no longer paints with a screen that is gone.
  ~Win32Display() override { ReleaseFlippingChain(); }
  Win32Display(const Win32Display&) = delete;
  Win32Display& operator=(const Win32Display&) = delete;

  // Whether the picture goes to the ordinary window.
  bool Windowed() const { return windowed_; }

  bool Open() override;
  bool SetExclusiveFullScreen() override;
  bool SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) override;
  bool CreateFlippingChain() override;
  bool CreatePalette(const PaletteEntries& entries) override;
  bool AttachPalette() override;
  void ReleasePalette() override;
  void ReleaseFlippingChain() override;
  void Close() override;
  bool Lock(LockedSurface& surface) override;
  bool Unlock() override;
  bool Flip() override;
  bool Restore() override;
  TextDevice* GetTextContext() override;
  bool ReleaseTextContext(TextDevice* context) override;

 private:
  // Gives up the exclusive screen for the windowed one.
  void FallBack();

  Win32Window& window_;
  Win32Clock* refreshClock_;
  bool windowed_;
  DirectDrawScreen exclusive_;
  WindowedScreen screen_;
  PaletteEntries colours_{};
  bool paletteCreated_ = false;
  bool locked_ = false;
  GdiTextDevice text_;
};

}  // namespace zorbulant
