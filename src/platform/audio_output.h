// An audio output device: it pulls 16-bit stereo frames from a source on a
// thread of its own, so everything the source reads while rendering is changed
// only between Lock and Unlock.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zorbulant {

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Fills `frames` with interleaved left/right samples. Runs on the device's
  // thread while the device is locked; must not allocate or wait.
  virtual void Render(std::span<int16_t> frames) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // The devices that can be named to Open.
  virtual std::vector<std::string> DeviceNames() = 0;
  // Opens `device` (empty: the system's default) at `rate` frames per second,
  // pulling `bufferFrames` frames at a time, and starts pulling from `source`.
  // The format is exactly the one asked for. False when no such device opens.
  virtual bool Open(const std::string& device, uint32_t rate, uint32_t bufferFrames,
                    AudioSource& source) = 0;
  // While locked the source is not rendering, and it does not start to.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // Stops pulling and closes the device; nothing once closed.
  virtual void Close() = 0;
};

}  // namespace zorbulant
