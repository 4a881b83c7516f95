#include "platform/headless/headless_display.h"

#include <algorithm>

namespace zorbulant {

namespace {
constexpr uint32_t Width = 320;
constexpr uint32_t Height = 200;
}  // namespace

HeadlessDisplay::HeadlessDisplay(HeadlessClock& clock, uint32_t refreshHertz, uint32_t pitch)
    : clock_(clock), refreshHertz_(refreshHertz), pitch_(std::max(pitch, Width)) {}

bool HeadlessDisplay::Open() { return open_ = true; }

bool HeadlessDisplay::SetExclusiveFullScreen() { return open_; }

bool HeadlessDisplay::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  modeSet_ = open_ && width == Width && height == Height && bitsPerPixel == 8;
  return modeSet_;
}

bool HeadlessDisplay::CreateFlippingChain() {
  if (!modeSet_) return false;
  front_.assign(size_t{pitch_} * Height, 0);
  back_.assign(size_t{pitch_} * Height, 0);
  return true;
}

bool HeadlessDisplay::CreatePalette(const PaletteEntries& entries) {
  if (!open_) return false;
  palette_ = entries;
  return paletteCreated_ = true;
}

bool HeadlessDisplay::AttachPalette() {
  if (!paletteCreated_ || front_.empty()) return false;
  shownPalette_ = palette_;
  return true;
}

// The screen keeps showing its last colours after the palette is released.
void HeadlessDisplay::ReleasePalette() { paletteCreated_ = false; }

void HeadlessDisplay::ReleaseFlippingChain() {
  // The last picture stays readable for a shot after shutdown.
  textContext_.reset();
  back_.clear();
  locked_ = false;
}

void HeadlessDisplay::Close() { open_ = modeSet_ = false; }

bool HeadlessDisplay::Lock(LockedSurface& surface) {
  if (back_.empty() || lost_ || locked_ || textContext_) return false;
  locked_ = true;
  surface.pixels = back_.data();
  surface.pitch = pitch_;
  return true;
}

bool HeadlessDisplay::Unlock() {
  if (!locked_ || lost_) return false;
  locked_ = false;
  return true;
}

bool HeadlessDisplay::Flip() {
  if (back_.empty() || lost_ || locked_ || textContext_) return false;
  clock_.WaitForRefresh(refreshHertz_);
  front_.swap(back_);
  ++flips_;
  return true;
}

bool HeadlessDisplay::Restore() {
  if (back_.empty()) return false;
  lost_ = false;
  locked_ = false;
  textContext_.reset();
  return true;
}

TextDevice* HeadlessDisplay::GetTextContext() {
  if (back_.empty() || lost_ || locked_ || textContext_) return nullptr;
  if (!fonts_) fonts_ = std::make_unique<FontLibrary>();
  textContext_.emplace(*fonts_, back_.data(), pitch_, Width, Height, palette_);
  return &*textContext_;
}

bool HeadlessDisplay::ReleaseTextContext(TextDevice* context) {
  if (!textContext_ || context != &*textContext_) return false;
  textContext_.reset();
  return true;
}

std::vector<uint8_t> HeadlessDisplay::ScreenRgb() const {
  std::vector<uint8_t> rgb(size_t{Width} * Height * 3, 0);
  if (front_.empty()) return rgb;
  const PaletteEntries& shown = shownPalette_;
  for (uint32_t y = 0; y < Height; ++y) {
    for (uint32_t x = 0; x < Width; ++x) {
      const PaletteEntry& colour = shown[front_[size_t{y} * pitch_ + x]];
      uint8_t* out = &rgb[(size_t{y} * Width + x) * 3];
      out[0] = colour.red;
      out[1] = colour.green;
      out[2] = colour.blue;
    }
  }
  return rgb;
}

}  // namespace zorbulant
