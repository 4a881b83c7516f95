// The display: exclusive DirectDraw screen or windowed screen.
#include "platform/win32/win32_display.h"

namespace zorbulant {

namespace {
constexpr uint32_t Width = 320;
constexpr uint32_t Height = 200;
// The refresh of the 320x200 mode on the monitors the game was made for; the
// menus run at the pace of the flip.
constexpr uint32_t RefreshHertz = 70;
}  // namespace

Win32Display::Win32Display(Win32Window& window, Win32Clock* refreshClock, bool windowed)
    : window_(window), refreshClock_(refreshClock), windowed_(windowed) {}

void Win32Display::FallBack() {
  exclusive_.Close();
  windowed_ = true;
  window_.BecomeOrdinary();
}

bool Win32Display::Open() {
  if (windowed_ || !exclusive_.Open()) FallBack();
  return window_.Handle() != nullptr;
}

bool Win32Display::SetExclusiveFullScreen() {
  if (!windowed_ && !exclusive_.SetExclusiveFullScreen(window_.Handle())) FallBack();
  return true;
}

bool Win32Display::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  if (!windowed_ && !exclusive_.SetDisplayMode(width, height, bitsPerPixel)) FallBack();
  // The windowed screen has the game's one mode.
  return !windowed_ || (width == Width && height == Height && bitsPerPixel == 8);
}

bool Win32Display::CreateFlippingChain() {
  if (!windowed_) {
    if (exclusive_.CreateFlippingChain()) return true;
    FallBack();
  }
  if (!screen_.Create()) return false;
  window_.SetPainter(&screen_);
  return true;
}

bool Win32Display::CreatePalette(const PaletteEntries& entries) {
  if (!windowed_) return exclusive_.CreatePalette(entries);
  colours_ = entries;
  paletteCreated_ = true;
  return true;
}

bool Win32Display::AttachPalette() {
  if (!windowed_) return exclusive_.AttachPalette();
  if (!paletteCreated_ || !screen_.Created()) return false;
  screen_.SetColours(colours_);
  return true;
}

void Win32Display::ReleasePalette() {
  exclusive_.ReleasePalette();
  paletteCreated_ = false;
}

void Win32Display::ReleaseFlippingChain() {
  text_.Detach();
  locked_ = false;
  if (!windowed_) {
    exclusive_.ReleaseFlippingChain();
    return;
  }
  window_.SetPainter(nullptr);
  screen_.Destroy();
}

void Win32Display::Close() { exclusive_.Close(); }

bool Win32Display::Lock(LockedSurface& surface) {
  if (!windowed_) return exclusive_.Lock(surface);
  if (!screen_.Created() || locked_ || text_.DeviceContext() != nullptr) return false;
  locked_ = true;
  surface.pixels = screen_.Pixels();
  surface.pitch = Width;
  return true;
}

bool Win32Display::Unlock() {
  if (!windowed_) return exclusive_.Unlock();
  if (!locked_) return false;
  locked_ = false;
  return true;
}

bool Win32Display::Flip() {
  if (refreshClock_ != nullptr) refreshClock_->WaitForRefresh(RefreshHertz);
  if (!windowed_) return exclusive_.Flip();
  if (!screen_.Created() || locked_ || text_.DeviceContext() != nullptr) return false;
  screen_.Show(window_.Handle());
  return true;
}

bool Win32Display::Restore() {
  // The windowed screen is never lost.
  return windowed_ ? screen_.Created() : exclusive_.Restore();
}

TextDevice* Win32Display::GetTextContext() {
  if (text_.DeviceContext() != nullptr) return nullptr;
  if (windowed_) {
    if (!screen_.Created() || locked_) return nullptr;
    text_.Attach(screen_.DeviceContext());
    return &text_;
  }
  const HDC dc = exclusive_.GetDC();
  if (dc == nullptr) return nullptr;
  text_.Attach(dc);
  return &text_;
}

bool Win32Display::ReleaseTextContext(TextDevice* context) {
  const HDC dc = text_.DeviceContext();
  if (context != &text_ || dc == nullptr) return false;
  text_.Detach();
  return windowed_ || exclusive_.ReleaseDC(dc);
}

}  // namespace zorbulant
