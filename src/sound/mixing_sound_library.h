// The game's sound library: samples mixed by our own mixer over a music module,
// pulled by an audio output. Without an output it is the silent library of
// headless runs: start-up, handles and loads work alike, nothing is played.
//
// What the game's constants mean here:
//   26 (11, 1)   stereo output           } the only kinds this library offers;
//   26 (5, 1)    interpolated resampling } 6 fails when asked for others
//   26 (3, 250)  room for 250 loaded samples; a load beyond it fails
//   26 (6, window)  the window the sound belongs to; SDL's output needs none
//   21 (0)       open the output the set-up chose (0 is the only choice)
//   11 (40)      start the mixer with the music at 40 on the samples' volume
//                scale of 0 to 64, so the music lies under the effects
//   31 (16)      sixteen voices (1 to 64)
//   28 (name, 7, 0)  format 7 is headerless mu-law; 29 reads RIFF WAVE
//   33 (sample, 65535, 0, ...)  play from frame 0 for 65535 frames, where
//                65535 stands for the whole sample
//   18 (module, 1)  play looping; modules always loop here
//   62 then 66   the set-up dialog on the terminal, starting from the set-up
//                stored under the key 66 names, and stored there; without a
//                terminal the stored set-up stays as it is
// A failed load gives handle 0, which every export takes and ignores.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/audio_output.h"
#include "platform/file_system.h"
#include "platform/module_player.h"
#include "platform/settings_store.h"
#include "platform/sound_library.h"
#include "sound/mixer.h"
#include "sound/sound_setup.h"

namespace zorbulant {

class MixingSoundLibrary final : public SoundLibrary, private AudioSource {
 public:
  // `output` may be null for a library that plays nothing.
  MixingSoundLibrary(FileSystem& files, SettingsStore& settings, AudioOutput* output,
                     ModulePlayerFactory makePlayer, SetupTerminal terminal = {});
  ~MixingSoundLibrary() override;
  MixingSoundLibrary(const MixingSoundLibrary&) = delete;
  MixingSoundLibrary& operator=(const MixingSoundLibrary&) = delete;

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
  struct Options {
    uint32_t stereo = 1;
    uint32_t interpolation = 1;
    uint32_t sampleRoom = 250;
  };
  // Holds the output's lock for one change of what Render reads.
  class Locked;

  void Render(std::span<int16_t> frames) override;
  uint32_t NewHandle();
  uint32_t KeepSample(std::optional<std::vector<int16_t>> frames);

  FileSystem& files_;
  SettingsStore& settings_;
  AudioOutput* output_;
  ModulePlayerFactory makePlayer_;
  SetupTerminal terminal_;

  SoundSetup setup_;
  bool setupAsked_ = false;
  Options given_;    // by export 26
  Options options_;  // as export 6 took them
  bool open_ = false;
  bool applied_ = false;
  bool outputOpen_ = false;
  uint32_t outputRate_ = 0;
  uint32_t amplification_ = Mixer::NominalAmplification;
  uint32_t lastHandle_ = 0;
  std::map<uint32_t, std::vector<int16_t>> samples_;
  std::map<uint32_t, std::unique_ptr<ModulePlayer>> modules_;
  uint32_t playback_ = 0;
  uint32_t playingModule_ = 0;

  // Read by Render on the output's thread; changed only under Locked.
  std::unique_ptr<Mixer> mixer_;
  ModulePlayer* music_ = nullptr;
  std::vector<int16_t> musicBuffer_;
};

}  // namespace zorbulant
