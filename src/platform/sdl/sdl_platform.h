// The desktop backend over SDL2: a real window with the 320x200 picture scaled
// to it, keys and game controllers as window messages, a real clock, and the
// display's 70 Hz refresh emulated so the game's speed never depends on the
// monitor. No SDL type appears here, so the game's code never sees SDL.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/sdl/controller_keys.h"
#include "platform/text/font_library.h"
#include "platform/text/surface_text_device.h"
#include "platform/window.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct _SDL_GameController;
union SDL_Event;

namespace zorbulant {

struct DesktopSettings {
  bool fullScreen = true;
  uint32_t windowScale = 3;      // window size in multiples of 320x240 (or 320x200)
  bool aspectCorrection = true;  // show the 320x200 picture at 4:3, as monitors did
  uint32_t refreshHertz = 70;
  std::filesystem::path screenshotDirectory;
  // When set, the time of every shown picture is kept and written here at the
  // end, one number of microseconds per line, to measure the pacing.
  std::optional<std::filesystem::path> frameTimesFile;
};

class SdlClock final : public Clock {
 public:
  uint32_t Milliseconds() override;
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override;
  // Waits until the next refresh of a display running at `hertz`.
  void WaitForRefresh(uint32_t hertz);
};

class SdlDisplay;

class SdlWindow final : public Window {
 public:
  SdlWindow(const DesktopSettings& settings, SdlDisplay& display);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // The one line telling why no window could be made, after CreateMainWindow
  // returned 0.
  const std::string& FailureReason() const { return failure_; }

  uint32_t CreateMainWindow(WindowProcedure& procedure) override;
  int32_t ShowCursor(bool show) override;
  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;
  uint32_t Dispatch(const WindowMessage& message) override;
  uint32_t DefaultHandling(const WindowMessage& message) override;
  void PostQuit(int32_t exitCode) override;
  void DestroyMainWindow() override;
  void SetFocus() override;
  TextDevice* GetWindowTextContext() override;
  void ReleaseWindowTextContext(TextDevice* context) override;

 private:
  // Turns an event into messages: TranslateEvent for most, and the key
  // changes of controllers it collects.
  void Translate(const SDL_Event& event);
  void TranslateEvent(const SDL_Event& event);
  void PostKey(uint32_t scanCode, bool extended, bool pressed, bool repeat);
  void OpenController(int joystickIndex);
  void ToggleFullScreen();

  DesktopSettings settings_;
  SdlDisplay& display_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  WindowProcedure* procedure_ = nullptr;
  // The window's own picture while the start-up caption is drawn on it.
  std::vector<uint8_t> canvas_;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
  std::optional<SurfaceTextDevice> canvasContext_;
  std::deque<WindowMessage> queue_;
  std::vector<_SDL_GameController*> controllers_;
  int32_t cursorCount_ = 0;
  bool active_ = false;
  bool quitPosted_ = false;
  ControllerKeys controllerKeys_;
  std::vector<KeyChange> keyChanges_;
  std::string failure_;
};

class SdlDisplay final : public DisplayDevice {
 public:
  SdlDisplay(SdlClock& clock, const DesktopSettings& settings);
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // The window the display shows its picture in, and the window's renderer;
  // set by the window.
  void AttachWindow(SDL_Window* window, SDL_Renderer* renderer);
  // The fonts every text context of this run draws with.
  FontLibrary& Fonts();
  const std::string& FailureReason() const { return failure_; }
  // Shows the last picture again (after the window changed size).
  void Present();
  // Saves the picture on the screen as a numbered PNG; returns its path, or
  // nothing when it could not be written.
  std::string SaveScreenshot();
  // The picture on the screen as 320x200 RGB triples, palette applied.
  std::vector<uint8_t> ScreenRgb() const;
  // Writes the kept frame times, if asked to keep them; false when the file
  // cannot be written.
  bool WriteFrameTimes() const;

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
  void DestroyTextures();

  SdlClock& clock_;
  DesktopSettings settings_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* picture_ = nullptr;  // 320x200, the palette applied
  SDL_Texture* scaled_ = nullptr;   // the picture at a whole multiple, for aspect correction
  uint32_t scaledFactor_ = 0;
  bool locked_ = false;
  PaletteEntries palette_{};
  PaletteEntries shownPalette_{};
  std::vector<uint8_t> front_;
  std::vector<uint8_t> back_;
  std::unique_ptr<FontLibrary> fonts_;
  std::optional<SurfaceTextDevice> textContext_;
  bool ready_ = false;
  std::vector<uint64_t> frameTimes_;
  std::string failure_;
};

}  // namespace zorbulant
