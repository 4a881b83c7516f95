// Sound output through the waveOut devices of WINMM: a few buffers of 16-bit
// stereo, each refilled from the source by a thread of ours as soon as the
// device has played it.
#pragma once

// mmsystem.h needs windows.h before it.
#include "platform/win32/windows_api.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio_output.h"

namespace zorbulant {

class WaveOutOutput final : public AudioOutput {
 public:
  // Queued at once: while the device plays one, the others are ready behind
  // it, so a late wake-up of our thread is not heard.
  static constexpr size_t BufferCount = 4;

  WaveOutOutput() = default;
  ~WaveOutOutput() override;
  WaveOutOutput(const WaveOutOutput&) = delete;
  WaveOutOutput& operator=(const WaveOutOutput&) = delete;

  std::vector<std::string> DeviceNames() override;
  bool Open(const std::string& device, uint32_t rate, uint32_t bufferFrames,
            AudioSource& source) override;
  void Lock() override;
  void Unlock() override;
  void Close() override;

 private:
  // Releases what Open got so far, in the reverse order.
  void Release();
  void Refill();
  void Submit(WAVEHDR& header);

  HWAVEOUT device_ = nullptr;
  HANDLE played_ = nullptr;  // signalled by the device whenever a buffer is done
  AudioSource* source_ = nullptr;
  std::vector<int16_t> samples_;  // the buffers, one after the other
  std::array<WAVEHDR, BufferCount> headers_{};
  size_t prepared_ = 0;
  size_t next_ = 0;  // the buffer the device gives back next
  std::mutex rendering_;
  std::atomic<bool> stopping_ = false;
  std::thread refill_;
};

}  // namespace zorbulant
