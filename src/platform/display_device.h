// The 320x200 8-bit display with one back buffer: what the game used of DirectDraw.
#pragma once

#include <array>
#include <cstdint>

#include "platform/text_device.h"

namespace zorbulant {

struct PaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
};

using PaletteEntries = std::array<PaletteEntry, 256>;

struct LockedSurface {
  uint8_t* pixels = nullptr;  // first byte of row 0
  uint32_t pitch = 0;         // bytes from one row to the next, at least 320
};

class DisplayDevice {
 public:
  virtual ~DisplayDevice() = default;

  // Set-up, one call per step that can fail; each returns true on success.
  virtual bool Open() = 0;                    // the display object
  virtual bool SetExclusiveFullScreen() = 0;  // cooperative level
  virtual bool SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) = 0;
  virtual bool CreateFlippingChain() = 0;  // primary surface with one back buffer
  virtual bool CreatePalette(const PaletteEntries& entries) = 0;
  virtual bool AttachPalette() = 0;

  // Release, each for an object that was created.
  virtual void ReleasePalette() = 0;
  virtual void ReleaseFlippingChain() = 0;
  virtual void Close() = 0;

  // In use. A lost surface (after the user switched away) fails Lock, Unlock
  // and the text context until Restore succeeds. The text context is not to
  // be had while the back buffer is locked.
  virtual bool Lock(LockedSurface& surface) = 0;
  virtual bool Unlock() = 0;
  // Shows the back buffer, waiting for the display's next refresh.
  virtual bool Flip() = 0;
  virtual bool Restore() = 0;
  // A text context drawing on the back buffer; nothing when it cannot be had.
  virtual TextDevice* GetTextContext() = 0;
  virtual bool ReleaseTextContext(TextDevice* context) = 0;
};

}  // namespace zorbulant
