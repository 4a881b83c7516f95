// An audio output whose frames the test pulls itself, in place of a device's
// thread, and which records how it was opened.
#pragma once

#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace zorbulant::testing {

class PulledAudioOutput final : public AudioOutput {
 public:
  std::vector<std::string> devices;
  // Devices that fail to open; "" is the default device.
  std::vector<std::string> missing;

  std::string openedDevice;
  uint32_t rate = 0;
  uint32_t bufferFrames = 0;
  bool open = false;

  std::vector<std::string> DeviceNames() override { return devices; }
  bool Open(const std::string& device, uint32_t openRate, uint32_t frames,
            AudioSource& source) override {
    for (const std::string& name : missing) {
      if (name == device) return false;
    }
    openedDevice = device;
    rate = openRate;
    bufferFrames = frames;
    source_ = &source;
    open = true;
    return true;
  }
  void Lock() override {}
  void Unlock() override {}
  void Close() override {
    open = false;
    source_ = nullptr;
  }

  // The next `frames` stereo frames, interleaved; none when closed.
  std::vector<int16_t> Pull(size_t frames) {
    if (source_ == nullptr) return {};
    std::vector<int16_t> samples(frames * 2);
    source_->Render(samples);
    return samples;
  }

 private:
  AudioSource* source_ = nullptr;
};

}  // namespace zorbulant::testing
