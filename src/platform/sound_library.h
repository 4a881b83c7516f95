// The sound library, one entry for each export number the game calls. The
// numbers are kept in the comments because the sound engine's start-up and
// shutdown order is written in them. Start-up steps succeed with exactly 1.
#pragma once

#include <cstdint>

namespace zorbulant {

class SoundLibrary {
 public:
  virtual ~SoundLibrary() = default;

  virtual uint32_t Open() = 0;                                       // export 3
  virtual void SetOption(uint32_t setting, uint32_t value) = 0;      // export 26
  virtual void RunSetup() = 0;                                       // export 62
  virtual void SaveSetup(uint32_t rootKey, const char* subKey) = 0;  // export 66
  virtual void LoadSetup(uint32_t rootKey, const char* subKey) = 0;  // export 65
  virtual uint32_t ApplyOptions() = 0;                               // export 6
  virtual void SetAmplification(uint32_t amplification) = 0;         // export 13
  virtual uint32_t OpenOutput(uint32_t value) = 0;                   // export 21
  virtual uint32_t StartMixer(uint32_t value) = 0;                   // export 11
  virtual uint32_t OpenSampleVoices(uint32_t count) = 0;             // export 31
  virtual uint32_t LoadSample(const char* fileName, uint32_t format, uint32_t flags) = 0;  // 28
  virtual uint32_t LoadLevelSample(const char* fileName, uint32_t flags) = 0;  // export 29
  virtual void FreeSample(uint32_t sample) = 0;                                // export 30
  virtual void PlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate,
                          uint32_t volume, uint32_t panning) = 0;    // export 33
  virtual uint32_t LoadModule(const char* fileName) = 0;             // export 16
  virtual uint32_t StartModule(uint32_t module, uint32_t loop) = 0;  // export 18
  virtual void StopPlayback(uint32_t playback) = 0;                  // export 19
  virtual void FreeModule(uint32_t module) = 0;                      // export 20
  virtual void CloseSampleVoices() = 0;                              // export 32
  virtual void StopMixer() = 0;                                      // export 12
  virtual void CloseOutput() = 0;                                    // export 22
  virtual void Close() = 0;                                          // export 7
};

// The library as the game finds it when it is missing: it cannot be opened,
// so the sound engine stays silent.
class MissingSoundLibrary final : public SoundLibrary {
 public:
  uint32_t Open() override { return 0; }
  void SetOption(uint32_t, uint32_t) override {}
  void RunSetup() override {}
  void SaveSetup(uint32_t, const char*) override {}
  void LoadSetup(uint32_t, const char*) override {}
  uint32_t ApplyOptions() override { return 0; }
  void SetAmplification(uint32_t) override {}
  uint32_t OpenOutput(uint32_t) override { return 0; }
  uint32_t StartMixer(uint32_t) override { return 0; }
  uint32_t OpenSampleVoices(uint32_t) override { return 0; }
  uint32_t LoadSample(const char*, uint32_t, uint32_t) override { return 0; }
  uint32_t LoadLevelSample(const char*, uint32_t) override { return 0; }
  void FreeSample(uint32_t) override {}
  void PlaySample(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) override {}
  uint32_t LoadModule(const char*) override { return 0; }
  uint32_t StartModule(uint32_t, uint32_t) override { return 0; }
  void StopPlayback(uint32_t) override {}
  void FreeModule(uint32_t) override {}
  void CloseSampleVoices() override {}
  void StopMixer() override {}
  void CloseOutput() override {}
  void Close() override {}
};

}  // namespace zorbulant
