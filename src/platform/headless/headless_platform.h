// The headless backend: a virtual clock that moves only when the game waits, a
// scripted message queue counted in main-loop turns, and an in-memory display.
// The same inputs give the same turns, clocks and pictures on any machine.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/text/font_library.h"
#include "platform/text/surface_text_device.h"
#include "platform/window.h"

namespace zorbulant {

class HeadlessClock final : public Clock {
 public:
  uint32_t Milliseconds() override;
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override;
  // Moves on to the next refresh of a display running at `hertz`.
  void WaitForRefresh(uint32_t hertz);
  uint64_t Microseconds() const { return microseconds_; }

 private:
  uint64_t microseconds_ = 0;
};

// A message scheduled for the start of a turn (turns count from 1).
struct ScheduledMessage {
  uint32_t turn = 0;
  WindowMessage message;
};

class HeadlessWindow final : public Window {
 public:
  // Called with the number of each turn once it has ended.
  using TurnEnded = std::function<void(uint32_t turn)>;

  // `closeAfterTurns` posts a close message at the start of the turn after it
  // (0: never). `schedule` must be in turn order.
  HeadlessWindow(std::vector<ScheduledMessage> schedule, uint32_t closeAfterTurns);

  void OnTurnEnded(TurnEnded listener) { turnEnded_ = std::move(listener); }
  void OnDeactivated(std::function<void()> listener) { deactivated_ = std::move(listener); }
  // Reports the turn still open when the program has ended.
  void EndOpenTurn();
  uint32_t Turn() const { return turn_; }

  uint32_t CreateMainWindow(WindowProcedure& procedure) override;
  int32_t ShowCursor(bool show) override;
  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;
  uint32_t Dispatch(const WindowMessage& message) override;
  uint32_t DefaultHandling(const WindowMessage& message) override;
  void PostQuit(int32_t exitCode) override;
  void DestroyMainWindow() override;
  void SetFocus() override {}
  // A headless window has nothing to show a caption on.
  TextDevice* GetWindowTextContext() override { return nullptr; }
  void ReleaseWindowTextContext(TextDevice*) override {}

 private:
  void BeginTurn();

  std::vector<ScheduledMessage> schedule_;
  size_t nextScheduled_ = 0;
  uint32_t closeAfterTurns_;
  uint32_t turn_ = 0;
  bool turnOpen_ = false;
  std::deque<WindowMessage> queue_;
  WindowProcedure* procedure_ = nullptr;
  int32_t cursorCount_ = 0;
  TurnEnded turnEnded_;
  std::function<void()> deactivated_;
};

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
