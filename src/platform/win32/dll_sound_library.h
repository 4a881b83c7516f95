// The sound library SNDLIB11.DLL, loaded when the program starts and reached by
// export number only. When the DLL, or any export the game calls, is missing,
// every call does nothing and gives 0, and the game runs silently.
#pragma once

#include <memory>

// First, so that the library's FreeModule is not taken for windows.h's macro
// when windows.h came before.
#include "platform/win32/windows_api.h"

#include "platform/sound_library.h"

namespace zorbulant {

class DllSoundLibrary final : public SoundLibrary {
 public:
  DllSoundLibrary();
  // The library from another file: tests name one that is missing or
  // incomplete.
  explicit DllSoundLibrary(const char* fileName);
  ~DllSoundLibrary() override;
  DllSoundLibrary(const DllSoundLibrary&) = delete;
  DllSoundLibrary& operator=(const DllSoundLibrary&) = delete;

  uint32_t Open() override;
  void SetOption(uint32_t setting, uint32_t value) override;
  void RunSetup() override;
  void SaveSetup(uint32_t rootKey, const char* subKey) override;
  void LoadSetup(uint32_t rootKey, const char* subKey) override;
  uint32_t ApplyOptions() override;
  void SetAmplification(uint32_t amplification) override;
  uint32_t OpenOutput(uint32_t value) override;
  uint32_t StartMixer(uint32_t value) override;
  uint32_t OpenSampleVoices(uint32_t count) override;
  uint32_t LoadSample(const char* fileName, uint32_t format, uint32_t flags) override;
  uint32_t LoadLevelSample(const char* fileName, uint32_t flags) override;
  void FreeSample(uint32_t sample) override;
  void PlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate, uint32_t volume,
                  uint32_t panning) override;
  uint32_t LoadModule(const char* fileName) override;
  uint32_t StartModule(uint32_t module, uint32_t loop) override;
  void StopPlayback(uint32_t playback) override;
  void FreeModule(uint32_t module) override;
  void CloseSampleVoices() override;
  void StopMixer() override;
  void CloseOutput() override;
  void Close() override;

 private:
  struct Exports;

  void* module_ = nullptr;  // the DLL's module handle; null unless every export was found
  std::unique_ptr<const Exports> exports_;
};

}  // namespace zorbulant
