// The headless backend's display: the flipping chain in memory, text drawn by
// the game's own rasterizer, the refresh waited for on the virtual clock.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/display_device.h"
#include "platform/headless/headless_clock.h"
#include "platform/text/font_library.h"
#include "platform/text/surface_text_device.h"

namespace zorbulant {

class HeadlessDisplay final : public DisplayDevice {
 public:
  // `pitch` is the back buffer's row length (at least 320); `refreshHertz` 0
  // makes the flip wait for nothing.
  HeadlessDisplay(HeadlessClock& clock, uint32_t refreshHertz, uint32_t pitch = 320);

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

  // What a switch to another application does to an exclusive display.
  void LoseSurfaces() { lost_ = true; }
  // The picture on the screen as 320x200 RGB triples, palette applied.
  std::vector<uint8_t> ScreenRgb() const;
  // How many pictures have been shown.
  uint64_t Flips() const { return flips_; }

 private:
  HeadlessClock& clock_;
  uint32_t refreshHertz_;
  uint32_t pitch_;
  bool open_ = false;
  bool modeSet_ = false;
  bool lost_ = false;
  bool locked_ = false;
  bool paletteCreated_ = false;
  uint64_t flips_ = 0;
  PaletteEntries palette_{};
  PaletteEntries shownPalette_{};  // black until a palette is attached
  std::vector<uint8_t> front_;
  std::vector<uint8_t> back_;
  // Loaded when text is first drawn, so displays that never draw text (most
  // tests) do not pay for the font look-up.
  std::unique_ptr<FontLibrary> fonts_;
  std::optional<SurfaceTextDevice> textContext_;
};

}  // namespace zorbulant
