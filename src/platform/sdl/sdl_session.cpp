// Starting SDL.
#include "platform/sdl/sdl_session.h"

#include <SDL2/SDL.h>

#include <cstdlib>

namespace zorbulant {

std::unique_ptr<SdlSession> SdlSession::Start(std::string& reason) {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool unixDesktop =
      SDL_strcmp(SDL_GetPlatform(), "Linux") == 0 || SDL_strcmp(SDL_GetPlatform(), "FreeBSD") == 0;
  if (unixDesktop && (x11 == nullptr || *x11 == 0) && (wayland == nullptr || *wayland == 0)) {
    reason = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return nullptr;
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER) != 0) {
    reason = std::string("cannot start the display: ") + SDL_GetError();
    return nullptr;
  }
  // Without sound the game still runs: when no audio driver starts, the sound
  // output simply finds no device.
  SDL_InitSubSystem(SDL_INIT_AUDIO);
  return std::unique_ptr<SdlSession>(new SdlSession());
}

SdlSession::~SdlSession() { SDL_Quit(); }

}  // namespace zorbulant
