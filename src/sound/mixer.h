// The sample mixer: mono samples played by a fixed set of voices, each at its
// own rate, placed in the stereo field and mixed over the music, then
// amplified and clipped to 16-bit stereo at the output rate.
//
// Levels: a sample at volume 64 placed fully to one side comes out on that
// side at its own level when the amplification is 300; the amplification
// scales everything linearly (gain = amplification / 300), so 0 is silent and
// 511 is 1.7 times as loud, and sums beyond 16 bits stop at full scale.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zorbulant {

class Mixer {
 public:
  static constexpr uint32_t MaxVoices = 64;
  static constexpr uint32_t FullVolume = 64;
  static constexpr uint32_t NominalAmplification = 300;
  // The panning of the echoed second voice; any other value is a position.
  static constexpr int32_t EchoPanning = 128;
  // Positions count columns of 32 pixels, positive when the source is left of
  // the hero. The sound moves from the centre to one side over this many
  // columns, a screen's width, and stays there beyond.
  static constexpr int32_t ColumnsToSide = 10;
  // The echo comes back later and wide: its left channel after the first
  // delay, its right after the second, at half the centre's level.
  static constexpr uint32_t EchoLeftMilliseconds = 60;
  static constexpr uint32_t EchoRightMilliseconds = 75;
  static constexpr float EchoLevel = 0.5f;

  explicit Mixer(uint32_t outputRate);

  uint32_t OutputRate() const { return outputRate_; }
  // Makes room for `count` voices (at most MaxVoices), all idle. Allocates, so
  // never while rendering.
  void SetVoiceCount(uint32_t count);
  void SetAmplification(uint32_t amplification);
  // The music's level on the samples' scale of 0 to 64.
  void SetMusicVolume(uint32_t volume);

  // Starts `frames`, played at `rate` frames per second, with the next frame
  // rendered; when every voice is busy the one started longest ago gives way.
  // `source` names the sample for StopSource. Volumes above 64 count as 64.
  void Play(uint32_t source, std::span<const int16_t> frames, uint32_t rate, uint32_t volume,
            int32_t panning);
  // Ends every voice that plays from `source`.
  void StopSource(uint32_t source);

  // Fills `out`, interleaved left/right, with the voices mixed over `music`
  // (interleaved left/right and as long as `out`, or empty for none).
  void Render(std::span<int16_t> out, std::span<const int16_t> music);

 private:
  struct Voice {
    uint32_t source = 0;
    std::span<const int16_t> frames;  // empty while idle
    uint64_t step = 0;                // sample frames per output frame, 16.16
    uint64_t duration = 0;            // output frames of one channel
    uint64_t elapsed = 0;             // output frames since the start
    std::array<uint64_t, 2> delay{};  // output frames before each channel starts
    std::array<float, 2> gain{};
    uint64_t order = 0;  // larger for later starts
  };
  void Mix(Voice& voice, std::array<float, 2>& sum);

  uint32_t outputRate_;
  std::vector<Voice> voices_;
  uint64_t started_ = 0;
  float amplification_ = 1.0f;
  float musicGain_ = 1.0f;
};

}  // namespace zorbulant
