// A scripted run on Windows: the game's input and time are those of a headless
// run of the same script, and only its picture goes to the real window and
// display, so the two runs' traces can be compared line by line.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/display_device.h"
#include "platform/headless/headless_clock.h"
#include "platform/win32/win32_window.h"

namespace zorbulant {

// Every call goes on to the display that shows the picture; each flip then
// moves the virtual clock on by one refresh of a 70 Hz display, as the headless
// display's flip does, and lets the real window handle its messages.
class ScriptedDisplay final : public DisplayDevice {
 public:
  ScriptedDisplay(DisplayDevice& shown, HeadlessClock& clock, std::function<void()> afterFlip);

  bool Open() override { return shown_.Open(); }
  bool SetExclusiveFullScreen() override { return shown_.SetExclusiveFullScreen(); }
  bool SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) override {
    return shown_.SetDisplayMode(width, height, bitsPerPixel);
  }
  bool CreateFlippingChain() override { return shown_.CreateFlippingChain(); }
  bool CreatePalette(const PaletteEntries& entries) override {
    return shown_.CreatePalette(entries);
  }
  bool AttachPalette() override { return shown_.AttachPalette(); }
  void ReleasePalette() override { shown_.ReleasePalette(); }
  void ReleaseFlippingChain() override { shown_.ReleaseFlippingChain(); }
  void Close() override { shown_.Close(); }
  bool Lock(LockedSurface& surface) override { return shown_.Lock(surface); }
  bool Unlock() override { return shown_.Unlock(); }
  bool Flip() override;
  bool Restore() override { return shown_.Restore(); }
  TextDevice* GetTextContext() override { return shown_.GetTextContext(); }
  bool ReleaseTextContext(TextDevice* context) override {
    return shown_.ReleaseTextContext(context);
  }

 private:
  DisplayDevice& shown_;
  HeadlessClock& clock_;
  std::function<void()> afterFlip_;
};

// The window procedure of the real window in a scripted run: the script is the
// input, so keys and the close button are ignored; everything else gets the
// default handling, which keeps the window painted and movable.
class PictureWindowProcedure final : public WindowProcedure {
 public:
  explicit PictureWindowProcedure(Win32Window& window) : window_(window) {}
  uint32_t HandleMessage(const WindowMessage& message) override;

 private:
  Win32Window& window_;
};

}  // namespace zorbulant
