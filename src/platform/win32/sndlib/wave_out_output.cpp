// The waveOut output and the thread that keeps its buffers full.
#include "platform/win32/sndlib/wave_out_output.h"

#include <optional>
#include <span>

namespace zorbulant {

namespace {

constexpr WORD Channels = 2;
constexpr WORD BitsPerSample = 16;
constexpr WORD BytesPerFrame = Channels * BitsPerSample / 8;

std::optional<std::string> DeviceName(UINT id) {
  WAVEOUTCAPSA caps{};
  if (waveOutGetDevCapsA(id, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
  return std::string(caps.szPname);
}

// The device of that name; the wave mapper, which picks the system's default,
// for none; nothing when no device has the name.
std::optional<UINT> DeviceId(const std::string& name) {
  if (name.empty()) return WAVE_MAPPER;
  const UINT count = waveOutGetNumDevs();
  for (UINT id = 0; id < count; ++id) {
    if (DeviceName(id) == name) return id;
  }
  return std::nullopt;
}

}  // namespace

WaveOutOutput::~WaveOutOutput() { Close(); }

std::vector<std::string> WaveOutOutput::DeviceNames() {
  std::vector<std::string> names;
  const UINT count = waveOutGetNumDevs();
  for (UINT id = 0; id < count; ++id) {
    if (auto name = DeviceName(id)) names.push_back(std::move(*name));
  }
  return names;
}

bool WaveOutOutput::Open(const std::string& device, uint32_t rate, uint32_t bufferFrames,
                         AudioSource& source) {
  Close();
  const std::optional<UINT> id = DeviceId(device);
  if (!id || bufferFrames == 0) return false;
  played_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (played_ == nullptr) return false;

  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = Channels;
  format.nSamplesPerSec = rate;
  format.nAvgBytesPerSec = rate * BytesPerFrame;
  format.nBlockAlign = BytesPerFrame;
  format.wBitsPerSample = BitsPerSample;
  if (waveOutOpen(&device_, *id, &format, reinterpret_cast<DWORD_PTR>(played_), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    device_ = nullptr;
    Release();
    return false;
  }

  const size_t samplesPerBuffer = size_t{bufferFrames} * Channels;
  samples_.assign(samplesPerBuffer * BufferCount, 0);
  for (WAVEHDR& header : headers_) {
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(samples_.data() + prepared_ * samplesPerBuffer);
    header.dwBufferLength = static_cast<DWORD>(samplesPerBuffer * sizeof(int16_t));
    if (waveOutPrepareHeader(device_, &header, sizeof header) != MMSYSERR_NOERROR) {
      Release();
      return false;
    }
    ++prepared_;
  }

  source_ = &source;
  next_ = 0;
  stopping_ = false;
  refill_ = std::thread(&WaveOutOutput::Refill, this);
  return true;
}

void WaveOutOutput::Lock() { rendering_.lock(); }

void WaveOutOutput::Unlock() { rendering_.unlock(); }

void WaveOutOutput::Close() {
  if (device_ == nullptr) return;
  stopping_ = true;
  SetEvent(played_);
  refill_.join();
  Release();
}

void WaveOutOutput::Release() {
  if (device_ != nullptr) {
    // Gives every queued buffer back, so that all of them can be unprepared.
    waveOutReset(device_);
    for (size_t i = 0; i < prepared_; ++i) {
      waveOutUnprepareHeader(device_, &headers_[i], sizeof headers_[i]);
    }
    waveOutClose(device_);
    device_ = nullptr;
  }
  prepared_ = 0;
  samples_.clear();
  source_ = nullptr;
  if (played_ != nullptr) CloseHandle(played_);
  played_ = nullptr;
}

// Queues every buffer, then refills each one the device gives back, in the
// order they were queued, until Close.
void WaveOutOutput::Refill() {
  for (WAVEHDR& header : headers_) Submit(header);
  while (WaitForSingleObject(played_, INFINITE) == WAIT_OBJECT_0 && !stopping_) {
    while (!stopping_ && (headers_[next_].dwFlags & WHDR_DONE) != 0) {
      Submit(headers_[next_]);
      next_ = (next_ + 1) % BufferCount;
    }
  }
}

void WaveOutOutput::Submit(WAVEHDR& header) {
  {
    std::lock_guard<std::mutex> lock(rendering_);
    source_->Render(std::span<int16_t>(reinterpret_cast<int16_t*>(header.lpData),
                                       header.dwBufferLength / sizeof(int16_t)));
  }
  waveOutWrite(device_, &header, sizeof header);
}

}  // namespace zorbulant
