// A tracker music module player: loads one module from its file's bytes and
// renders it, looping, as 16-bit stereo at a given rate.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace zorbulant {

class ModulePlayer {
 public:
  virtual ~ModulePlayer() = default;

  // False when the bytes are no module this player reads. A player holds one
  // module for its whole life.
  virtual bool Load(std::span<const uint8_t> bytes) = 0;
  // Prepares playback from the module's start at `rate` frames per second.
  virtual bool Start(uint32_t rate) = 0;
  // Fills `frames` with interleaved left/right samples, going back to the
  // module's start at its end; silence when not started. Runs on the audio
  // device's thread: must not allocate.
  virtual void Render(std::span<int16_t> frames) = 0;
  virtual void Stop() = 0;
};

using ModulePlayerFactory = std::function<std::unique_ptr<ModulePlayer>()>;

}  // namespace zorbulant
