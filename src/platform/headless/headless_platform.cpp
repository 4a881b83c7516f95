// The headless backend.
#include "platform/headless/headless_platform.h"

#include <algorithm>

namespace zorbulant {

namespace {
constexpr uint32_t Width = 320;
constexpr uint32_t Height = 200;
}  // namespace

uint32_t HeadlessClock::Milliseconds() { return static_cast<uint32_t>(microseconds_ / 1000); }

uint32_t HeadlessClock::WaitForElapsed(uint32_t since, uint32_t duration) {
  const uint32_t elapsed = Milliseconds() - since;
  if (elapsed >= duration) return Milliseconds();
  microseconds_ = (microseconds_ / 1000 + (duration - elapsed)) * 1000;
  return Milliseconds();
}

void HeadlessClock::WaitForRefresh(uint32_t hertz) {
  if (hertz == 0) return;
  // Refresh k happens at k / hertz seconds, rounded up to a whole microsecond.
  const uint64_t next = microseconds_ * hertz / 1'000'000 + 1;
  microseconds_ = (next * 1'000'000 + hertz - 1) / hertz;
}

HeadlessWindow::HeadlessWindow(std::vector<ScheduledMessage> schedule, uint32_t closeAfterTurns)
    : schedule_(std::move(schedule)), closeAfterTurns_(closeAfterTurns) {}

uint32_t HeadlessWindow::CreateMainWindow(WindowProcedure& procedure) {
  procedure_ = &procedure;
  // A new window is activated while it is created and shown.
  procedure.HandleMessage({MessageId::ActivateApp, 1, 0});
  return 1;
}

int32_t HeadlessWindow::ShowCursor(bool show) { return cursorCount_ += show ? 1 : -1; }

void HeadlessWindow::BeginTurn() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  ++turn_;
  turnOpen_ = true;
  while (nextScheduled_ < schedule_.size() && schedule_[nextScheduled_].turn <= turn_) {
    queue_.push_back(schedule_[nextScheduled_++].message);
  }
  if (closeAfterTurns_ != 0 && turn_ == closeAfterTurns_ + 1) {
    queue_.push_back({MessageId::Close, 0, 0});
  }
}

void HeadlessWindow::EndOpenTurn() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  turnOpen_ = false;
}

bool HeadlessWindow::MessageWaiting() {
  // The main loop asks once at the start of every turn.
  BeginTurn();
  return !queue_.empty();
}

bool HeadlessWindow::TakeMessage(WindowMessage& message) {
  // Nothing will ever arrive once the script is spent: end like a closed window
  // would, instead of waiting forever.
  if (queue_.empty()) {
    message = {MessageId::Quit, 0, 0};
    return false;
  }
  message = queue_.front();
  queue_.pop_front();
  return message.id != MessageId::Quit;
}

uint32_t HeadlessWindow::Dispatch(const WindowMessage& message) {
  if (message.id == MessageId::ActivateApp && message.wParam == 0 && deactivated_) deactivated_();
  return procedure_ != nullptr ? procedure_->HandleMessage(message) : 0;
}

uint32_t HeadlessWindow::DefaultHandling(const WindowMessage&) { return 0; }

void HeadlessWindow::PostQuit(int32_t exitCode) {
  queue_.push_back({MessageId::Quit, static_cast<uint32_t>(exitCode), 0});
}

void HeadlessWindow::DestroyMainWindow() {
  if (procedure_ == nullptr) return;
  WindowProcedure* procedure = procedure_;
  procedure_ = nullptr;
  procedure->HandleMessage({MessageId::Destroy, 0, 0});
}

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
