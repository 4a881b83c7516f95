// Sound output through SDL's audio devices. SDL's audio must have been started
// (the desktop's SdlSession does); without it no device opens.
#pragma once

#include <cstdint>

#include "platform/audio_output.h"

namespace zorbulant {

class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  std::vector<std::string> DeviceNames() override;
  bool Open(const std::string& device, uint32_t rate, uint32_t bufferFrames,
            AudioSource& source) override;
  void Lock() override;
  void Unlock() override;
  void Close() override;

 private:
  static void Pull(void* output, uint8_t* stream, int length);

  uint32_t device_ = 0;  // SDL's device id; 0 while closed
  AudioSource* source_ = nullptr;
};

}  // namespace zorbulant
