// The screen in an ordinary window, for when the exclusive 320x200x8 display
// cannot be had (modern Windows and Wine often refuse it): an 8-bit 320x200
// picture with the palette as its colour table, scaled into the client area.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>

#include "platform/display_device.h"
#include "platform/win32/win32_window.h"

namespace zorbulant {

// Where the 320x200 picture goes in a client area of `width` by `height`
// pixels: as large as fits at 4:3, the shape a monitor gave it, centred.
RECT LetterboxRect(int32_t width, int32_t height);

class WindowedScreen final : public WindowPainter {
 public:
  WindowedScreen() = default;
  ~WindowedScreen() { Destroy(); }
  WindowedScreen(const WindowedScreen&) = delete;
  WindowedScreen& operator=(const WindowedScreen&) = delete;

  // The picture, black until drawn on, in a memory device context.
  bool Create();
  void Destroy();
  bool Created() const { return memory_ != nullptr; }

  void SetColours(const PaletteEntries& entries);
  // Row 0 first, rows of 320 bytes. GDI's drawing on the context is finished
  // before the pixels are handed out.
  uint8_t* Pixels();
  HDC DeviceContext() const { return memory_; }

  // Shows the picture in `window`'s client area.
  void Show(HWND window);
  void Paint(HDC dc, const RECT& client) override;

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ ownBitmap_ = nullptr;  // the memory context's bitmap before ours
  HDC memory_ = nullptr;
  uint8_t* pixels_ = nullptr;
};

}  // namespace zorbulant
