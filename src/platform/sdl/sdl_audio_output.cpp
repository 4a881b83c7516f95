// SDL's audio device as the game's sound output.
#include "platform/sdl/sdl_audio_output.h"

#include <SDL2/SDL.h>

namespace zorbulant {

SdlAudioOutput::~SdlAudioOutput() { Close(); }

std::vector<std::string> SdlAudioOutput::DeviceNames() {
  std::vector<std::string> names;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return names;
  const int count = SDL_GetNumAudioDevices(0);
  for (int i = 0; i < count; ++i) {
    if (const char* name = SDL_GetAudioDeviceName(i, 0); name != nullptr) names.emplace_back(name);
  }
  return names;
}

bool SdlAudioOutput::Open(const std::string& device, uint32_t rate, uint32_t bufferFrames,
                          AudioSource& source) {
  Close();
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(rate);
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = static_cast<Uint16>(bufferFrames);
  wanted.callback = &SdlAudioOutput::Pull;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  source_ = &source;
  // No changes allowed: SDL converts for devices that want another format, so
  // the source always renders exactly what it was opened with.
  device_ =
      SDL_OpenAudioDevice(device.empty() ? nullptr : device.c_str(), 0, &wanted, &obtained, 0);
  if (device_ == 0) {
    source_ = nullptr;
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudioOutput::Lock() {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

void SdlAudioOutput::Unlock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SdlAudioOutput::Close() {
  if (device_ == 0) return;
  // Returns once the callback has finished for good.
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  source_ = nullptr;
}

void SdlAudioOutput::Pull(void* output, uint8_t* stream, int length) {
  auto* self = static_cast<SdlAudioOutput*>(output);
  self->source_->Render(
      std::span<int16_t>(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 2));
}

}  // namespace zorbulant
