// The desktop backend.
#include "platform/sdl/sdl_platform.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <thread>

#include "platform/display.h"
#include "platform/headless/input_script.h"
#include "platform/headless/png_writer.h"
#include "platform/sdl/scancode_map.h"

namespace zorbulant {

namespace {

constexpr uint32_t Width = 320;
constexpr uint32_t Height = 200;
constexpr uint32_t AspectHeight = 240;  // 200 rows shown at 4:3

uint64_t Microseconds() {
  // Whole seconds and the rest apart: the counter times a million would
  // overflow after a few hours of the machine's uptime.
  const uint64_t counter = SDL_GetPerformanceCounter();
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  return counter / frequency * 1'000'000 + counter % frequency * 1'000'000 / frequency;
}

// Sleeps for most of the wait and spins only for its last fraction, which the
// system's sleep may overshoot: spinning costs a core's time, and at 70 frames
// a second a long spin would be most of what the game uses.
void WaitUntilMicroseconds(uint64_t target) {
  constexpr uint64_t SpinMicroseconds = 250;
  for (uint64_t now = Microseconds(); now < target; now = Microseconds()) {
    const uint64_t remaining = target - now;
    if (remaining > SpinMicroseconds) {
      std::this_thread::sleep_for(std::chrono::microseconds(remaining - SpinMicroseconds));
    }
  }
}

}  // namespace

uint32_t SdlClock::Milliseconds() { return static_cast<uint32_t>(Microseconds() / 1000); }

uint32_t SdlClock::WaitForElapsed(uint32_t since, uint32_t duration) {
  const uint32_t elapsed = Milliseconds() - since;
  if (elapsed < duration) {
    const uint64_t now = Microseconds();
    // Up to the start of the millisecond at which the wait is over.
    WaitUntilMicroseconds((now / 1000 + (duration - elapsed)) * 1000);
  }
  return Milliseconds();
}

void SdlClock::WaitForRefresh(uint32_t hertz) {
  if (hertz == 0) return;
  const uint64_t next = Microseconds() * hertz / 1'000'000 + 1;
  WaitUntilMicroseconds((next * 1'000'000 + hertz - 1) / hertz);
}

// ---------------------------------------------------------------------------

SdlWindow::SdlWindow(const DesktopSettings& settings, SdlDisplay& display)
    : settings_(settings), display_(display) {}

SdlWindow::~SdlWindow() {
  for (SDL_GameController* controller : controllers_) SDL_GameControllerClose(controller);
  DestroyMainWindow();
}

uint32_t SdlWindow::CreateMainWindow(WindowProcedure& procedure) {
  // Alt+F4 belongs to the game as a key (Alt ducks), not to the system.
  SDL_SetHint(SDL_HINT_WINDOWS_NO_CLOSE_ON_ALT_F4, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  const uint32_t pictureHeight = settings_.aspectCorrection ? AspectHeight : Height;
  const int width = static_cast<int>(Width * settings_.windowScale);
  const int height = static_cast<int>(pictureHeight * settings_.windowScale);
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (settings_.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ = SDL_CreateWindow("Zorbulant", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                             height, flags);
  if (window_ == nullptr) {
    failure_ = std::string("cannot open a window: ") + SDL_GetError();
    return 0;
  }
  SDL_SetWindowMinimumSize(window_, static_cast<int>(Width), static_cast<int>(Height));
  // Vsync stays off: the display's own refresh emulation paces the game.
  renderer_ =
      SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) {
    failure_ = std::string("cannot draw into the window: ") + SDL_GetError();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return 0;
  }
  display_.AttachWindow(window_, renderer_);
  procedure_ = &procedure;
  // A new window is activated while it is created and shown.
  active_ = true;
  procedure.HandleMessage({MessageId::ActivateApp, 1, 0});
  return SDL_GetWindowID(window_);
}

int32_t SdlWindow::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCount_;
}

void SdlWindow::PostKey(uint32_t scanCode, bool extended, bool pressed, bool repeat) {
  const bool alt = (SDL_GetModState() & KMOD_ALT) != 0;
  // Keys pressed with Alt, and Alt itself, arrive as system key messages.
  const bool system = alt || scanCode == 0x38;
  const MessageId id = pressed ? (system ? MessageId::SysKeyDown : MessageId::KeyDown)
                               : (system ? MessageId::SysKeyUp : MessageId::KeyUp);
  queue_.push_back(
      {id, 0, KeyMessageParam(scanCode, extended, alt && pressed, repeat || !pressed, !pressed)});
}

void SdlWindow::OpenController(int joystickIndex) {
  if (!SDL_IsGameController(joystickIndex)) return;
  if (SDL_GameController* controller = SDL_GameControllerOpen(joystickIndex)) {
    controllers_.push_back(controller);
  }
}

void SdlWindow::ToggleFullScreen() {
  settings_.fullScreen = !settings_.fullScreen;
  SDL_SetWindowFullscreen(window_, settings_.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  display_.Present();
}

void SdlWindow::Translate(const SDL_Event& event) {
  TranslateEvent(event);
  for (const KeyChange& key : keyChanges_) PostKey(key.scanCode, key.extended, key.pressed, false);
  keyChanges_.clear();
}

void SdlWindow::TranslateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      if (!quitPosted_) queue_.push_back({MessageId::Close, 0, 0});
      quitPosted_ = true;
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (!quitPosted_) queue_.push_back({MessageId::Close, 0, 0});
          quitPosted_ = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          queue_.push_back({MessageId::ActivateApp, 1, 0});
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          queue_.push_back({MessageId::ActivateApp, 0, 0});
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          display_.Present();
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool pressed = event.type == SDL_KEYDOWN;
      // F11 and F12 belong to the desktop, not to the game.
      if (event.key.keysym.scancode == SDL_SCANCODE_F11) {
        if (pressed && !event.key.repeat) ToggleFullScreen();
        break;
      }
      if (event.key.keysym.scancode == SDL_SCANCODE_F12) {
        if (pressed && !event.key.repeat) {
          const std::string path = display_.SaveScreenshot();
          if (path.empty()) {
            std::fprintf(stderr, "zorbulant: the screenshot could not be saved\n");
          } else {
            std::fprintf(stderr, "zorbulant: screenshot saved as %s\n", path.c_str());
          }
        }
        break;
      }
      const PcKey key = PcKeyOf(event.key.keysym.scancode);
      if (key.scanCode != 0) PostKey(key.scanCode, key.extended, pressed, event.key.repeat != 0);
      break;
    }
    case SDL_CONTROLLERDEVICEADDED:
      OpenController(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      SDL_GameController* gone = SDL_GameControllerFromInstanceID(event.cdevice.which);
      const auto found = std::find(controllers_.begin(), controllers_.end(), gone);
      if (found != controllers_.end()) {
        SDL_GameControllerClose(*found);
        controllers_.erase(found);
      }
      controllerKeys_.Removed(event.cdevice.which, keyChanges_);
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      controllerKeys_.Button(event.cbutton.which, event.cbutton.button,
                             event.type == SDL_CONTROLLERBUTTONDOWN, keyChanges_);
      break;
    case SDL_CONTROLLERAXISMOTION:
      controllerKeys_.Axis(event.caxis.which, event.caxis.axis, event.caxis.value, keyChanges_);
      break;
    default:
      break;
  }
}

bool SdlWindow::MessageWaiting() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
  // While another application is active no frame runs: wait for an event
  // instead of spinning through empty turns.
  if (queue_.empty() && !active_ && SDL_WaitEventTimeout(&event, 100)) Translate(event);
  return !queue_.empty();
}

bool SdlWindow::TakeMessage(WindowMessage& message) {
  SDL_Event event;
  while (queue_.empty()) {
    if (window_ == nullptr) {
      message = {MessageId::Quit, 0, 0};
      return false;
    }
    if (SDL_WaitEvent(&event)) Translate(event);
  }
  message = queue_.front();
  queue_.pop_front();
  return message.id != MessageId::Quit;
}

uint32_t SdlWindow::Dispatch(const WindowMessage& message) {
  if (message.id == MessageId::ActivateApp) active_ = message.wParam != 0;
  return procedure_ != nullptr ? procedure_->HandleMessage(message) : 0;
}

uint32_t SdlWindow::DefaultHandling(const WindowMessage&) { return 0; }

void SdlWindow::PostQuit(int32_t exitCode) {
  queue_.push_back({MessageId::Quit, static_cast<uint32_t>(exitCode), 0});
}

void SdlWindow::DestroyMainWindow() {
  if (window_ == nullptr) return;
  display_.AttachWindow(nullptr, nullptr);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  renderer_ = nullptr;
  window_ = nullptr;
  WindowProcedure* procedure = procedure_;
  procedure_ = nullptr;
  if (procedure != nullptr) procedure->HandleMessage({MessageId::Destroy, 0, 0});
}

void SdlWindow::SetFocus() {
  if (window_ != nullptr) SDL_RaiseWindow(window_);
}

TextDevice* SdlWindow::GetWindowTextContext() {
  if (renderer_ == nullptr || canvasContext_) return nullptr;
  SDL_GetRendererOutputSize(renderer_, &canvasWidth_, &canvasHeight_);
  if (canvasWidth_ <= 0 || canvasHeight_ <= 0) return nullptr;
  // The window's background until the game draws: light grey, like the
  // window frames of the system the game was made for.
  canvas_.assign(static_cast<size_t>(canvasWidth_) * static_cast<size_t>(canvasHeight_), 252);
  canvasContext_.emplace(display_.Fonts(), canvas_.data(), static_cast<uint32_t>(canvasWidth_),
                         static_cast<uint32_t>(canvasWidth_), static_cast<uint32_t>(canvasHeight_),
                         PaletteTable());
  return &*canvasContext_;
}

void SdlWindow::ReleaseWindowTextContext(TextDevice* context) {
  if (!canvasContext_ || context != &*canvasContext_) return;
  canvasContext_.reset();
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, canvasWidth_, canvasHeight_);
  if (texture == nullptr) return;
  std::vector<uint32_t> pixels(canvas_.size());
  for (size_t i = 0; i < canvas_.size(); ++i) {
    const PaletteEntry& colour = PaletteTable()[canvas_[i]];
    pixels[i] =
        0xFF000000u | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
  }
  SDL_UpdateTexture(texture, nullptr, pixels.data(), canvasWidth_ * 4);
  SDL_RenderCopy(renderer_, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  SDL_DestroyTexture(texture);
  canvas_.clear();
}

// ---------------------------------------------------------------------------

SdlDisplay::SdlDisplay(SdlClock& clock, const DesktopSettings& settings)
    : clock_(clock), settings_(settings) {
  // Room for ten minutes at 70 Hz, so keeping the times costs no allocation
  // in the frames being measured.
  if (settings_.frameTimesFile) frameTimes_.reserve(70 * 600);
}

SdlDisplay::~SdlDisplay() { Close(); }

void SdlDisplay::AttachWindow(SDL_Window* window, SDL_Renderer* renderer) {
  // Textures die with their renderer.
  if (renderer != renderer_) DestroyTextures();
  window_ = window;
  renderer_ = renderer;
}

FontLibrary& SdlDisplay::Fonts() {
  if (!fonts_) fonts_ = std::make_unique<FontLibrary>();
  return *fonts_;
}

bool SdlDisplay::Open() {
  if (renderer_ == nullptr) failure_ = "the window has nothing to draw with";
  ready_ = renderer_ != nullptr;
  return ready_;
}

bool SdlDisplay::SetExclusiveFullScreen() { return ready_; }

bool SdlDisplay::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  if (!ready_ || width != Width || height != Height || bitsPerPixel != 8) return false;
  picture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               static_cast<int>(Width), static_cast<int>(Height));
  if (picture_ == nullptr) {
    failure_ = std::string("cannot make the picture's texture: ") + SDL_GetError();
    return false;
  }
  SDL_SetTextureScaleMode(picture_, SDL_ScaleModeNearest);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  return true;
}

bool SdlDisplay::CreateFlippingChain() {
  if (picture_ == nullptr) return false;
  front_.assign(Width * Height, 0);
  back_.assign(Width * Height, 0);
  return true;
}

bool SdlDisplay::CreatePalette(const PaletteEntries& entries) {
  palette_ = entries;
  return renderer_ != nullptr;
}

bool SdlDisplay::AttachPalette() {
  if (front_.empty()) return false;
  shownPalette_ = palette_;
  return true;
}

void SdlDisplay::ReleasePalette() {}

void SdlDisplay::ReleaseFlippingChain() {
  textContext_.reset();
  back_.clear();
  locked_ = false;
}

void SdlDisplay::DestroyTextures() {
  if (scaled_ != nullptr) SDL_DestroyTexture(scaled_);
  if (picture_ != nullptr) SDL_DestroyTexture(picture_);
  scaled_ = picture_ = nullptr;
  scaledFactor_ = 0;
}

void SdlDisplay::Close() {
  // The renderer belongs to the window.
  DestroyTextures();
  ready_ = false;
}

bool SdlDisplay::Lock(LockedSurface& surface) {
  if (back_.empty() || locked_ || textContext_) return false;
  locked_ = true;
  surface.pixels = back_.data();
  surface.pitch = Width;
  return true;
}

bool SdlDisplay::Unlock() {
  if (!locked_) return false;
  locked_ = false;
  return true;
}

bool SdlDisplay::Restore() { return !back_.empty(); }

TextDevice* SdlDisplay::GetTextContext() {
  if (back_.empty() || locked_ || textContext_) return nullptr;
  textContext_.emplace(Fonts(), back_.data(), Width, Width, Height, palette_);
  return &*textContext_;
}

bool SdlDisplay::ReleaseTextContext(TextDevice* context) {
  if (!textContext_ || context != &*textContext_) return false;
  textContext_.reset();
  return true;
}

bool SdlDisplay::Flip() {
  if (back_.empty() || locked_ || textContext_) return false;
  clock_.WaitForRefresh(settings_.refreshHertz);
  if (settings_.frameTimesFile) frameTimes_.push_back(Microseconds());
  front_.swap(back_);
  Present();
  return true;
}

bool SdlDisplay::WriteFrameTimes() const {
  if (!settings_.frameTimesFile) return true;
  std::ofstream file(*settings_.frameTimesFile, std::ios::trunc);
  for (const uint64_t time : frameTimes_) file << time << '\n';
  return static_cast<bool>(file.flush());
}

void SdlDisplay::Present() {
  if (renderer_ == nullptr || picture_ == nullptr || window_ == nullptr) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(picture_, nullptr, &pixels, &pitch) == 0) {
    for (uint32_t y = 0; y < Height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + y * pitch);
      for (uint32_t x = 0; x < Width; ++x) {
        const PaletteEntry& colour = shownPalette_[front_[y * Width + x]];
        row[x] =
            0xFF000000u | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
      }
    }
    SDL_UnlockTexture(picture_);
  }

  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  const uint32_t shownHeight = settings_.aspectCorrection ? AspectHeight : Height;
  // The largest whole multiple that fits; a window smaller than the picture
  // gets the picture shrunk to fit instead.
  uint32_t factor = std::min(static_cast<uint32_t>(outputWidth) / Width,
                             static_cast<uint32_t>(outputHeight) / shownHeight);
  SDL_Rect target{0, 0, outputWidth, outputHeight};
  if (factor > 0) {
    target.w = static_cast<int>(Width * factor);
    target.h = static_cast<int>(shownHeight * factor);
  } else {
    factor = 1;
    target.h = std::min(outputHeight,
                        outputWidth * static_cast<int>(shownHeight) / static_cast<int>(Width));
    target.w = target.h * static_cast<int>(Width) / static_cast<int>(shownHeight);
  }
  target.x = (outputWidth - target.w) / 2;
  target.y = (outputHeight - target.h) / 2;

  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_RenderClear(renderer_);
  if (!settings_.aspectCorrection || !SDL_RenderTargetSupported(renderer_)) {
    SDL_RenderCopy(renderer_, picture_, nullptr, &target);
  } else {
    // Aspect correction stretches 200 rows over 240: scale by whole pixels
    // first, then smooth only the last, uneven step.
    if (scaledFactor_ != factor) {
      if (scaled_ != nullptr) SDL_DestroyTexture(scaled_);
      scaled_ =
          SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                            static_cast<int>(Width * factor), static_cast<int>(Height * factor));
      if (scaled_ != nullptr) SDL_SetTextureScaleMode(scaled_, SDL_ScaleModeLinear);
      scaledFactor_ = factor;
    }
    if (scaled_ != nullptr && SDL_SetRenderTarget(renderer_, scaled_) == 0) {
      SDL_RenderCopy(renderer_, picture_, nullptr, nullptr);
      SDL_SetRenderTarget(renderer_, nullptr);
      SDL_RenderCopy(renderer_, scaled_, nullptr, &target);
    } else {
      SDL_SetRenderTarget(renderer_, nullptr);
      SDL_RenderCopy(renderer_, picture_, nullptr, &target);
    }
  }
  SDL_RenderPresent(renderer_);
}

std::string SdlDisplay::SaveScreenshot() {
  std::error_code error;
  std::filesystem::create_directories(settings_.screenshotDirectory, error);
  for (uint32_t number = 1; number < 100000; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "zorbulant-%04u.png", number);
    const std::filesystem::path path = settings_.screenshotDirectory / name;
    if (std::filesystem::exists(path, error)) continue;
    return WriteRgbPng(path, Width, Height, ScreenRgb()) ? path.string() : std::string();
  }
  return {};
}

std::vector<uint8_t> SdlDisplay::ScreenRgb() const {
  std::vector<uint8_t> rgb(Width * Height * 3, 0);
  if (front_.empty()) return rgb;
  for (uint32_t i = 0; i < Width * Height; ++i) {
    const PaletteEntry& colour = shownPalette_[front_[i]];
    rgb[i * 3] = colour.red;
    rgb[i * 3 + 1] = colour.green;
    rgb[i * 3 + 2] = colour.blue;
  }
  return rgb;
}

}  // namespace zorbulant
