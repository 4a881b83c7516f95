// Text on a GDI device context: a window's (the start-up caption), the
// DirectDraw back buffer's, or the windowed screen's memory context.
#pragma once

#include "platform/win32/windows_api.h"

#include "platform/text_device.h"
#include "platform/win32/handle_table.h"

namespace zorbulant {

class GdiTextDevice final : public TextDevice {
 public:
  GdiTextDevice() = default;
  // Fonts still made when the device goes are deleted with it.
  ~GdiTextDevice();
  GdiTextDevice(const GdiTextDevice&) = delete;
  GdiTextDevice& operator=(const GdiTextDevice&) = delete;

  // Draws on `dc` until Detach; the device does not own the context.
  void Attach(HDC dc);
  // Hands the context back with its own font selected again, so that none of
  // ours is left selected in a context that lives on.
  void Detach();
  HDC DeviceContext() const { return dc_; }

  Font MakeFont(const FontRequest& request) override;
  // Font 0 selects the context's own font again.
  Font SelectFont(Font font) override;
  bool DeleteFont(Font font) override;
  int32_t SetBackgroundMode(int32_t mode) override;
  uint32_t SetTextColour(uint32_t colour) override;
  int32_t SetCharacterExtra(int32_t extra) override;
  bool WriteText(int32_t x, int32_t y, const char* text, int32_t length) override;

 private:
  void SelectOwnFont();

  HDC dc_ = nullptr;
  HGDIOBJ ownFont_ = nullptr;  // the context's font before ours were selected
  Font selected_ = 0;
  HandleTable<HFONT> fonts_;
};

}  // namespace zorbulant
