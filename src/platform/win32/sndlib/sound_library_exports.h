// The exports of SNDLIB11.DLL and the numbers the game finds them by. The DLL
// defines these functions and the game's loader calls them through pointers of
// the same types, so both sides agree on every argument.
//
// 64-bit Windows has one calling convention, so none is named here. Every
// argument and result is 32 bits wide except the file names and sub-keys, and
// the registry root of 65 and 66, which is an HKEY as the registry takes it.
// The window of setting 6 comes in 32 bits, which is all of a window handle
// that means something.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>

extern "C" {
uint32_t SoundOpen();
void SoundSetOption(uint32_t setting, uint32_t value);
void SoundRunSetup();
void SoundSaveSetup(HKEY root, const char* subKey);
void SoundLoadSetup(HKEY root, const char* subKey);
uint32_t SoundApplyOptions();
void SoundSetAmplification(uint32_t amplification);
uint32_t SoundOpenOutput(uint32_t value);
uint32_t SoundStartMixer(uint32_t value);
uint32_t SoundOpenSampleVoices(uint32_t count);
uint32_t SoundLoadSample(const char* fileName, uint32_t format, uint32_t flags);
uint32_t SoundLoadLevelSample(const char* fileName, uint32_t flags);
void SoundFreeSample(uint32_t sample);
void SoundPlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate,
                     uint32_t volume, uint32_t panning);
uint32_t SoundLoadModule(const char* fileName);
uint32_t SoundStartModule(uint32_t module, uint32_t loop);
void SoundStopPlayback(uint32_t playback);
void SoundFreeModule(uint32_t module);
void SoundCloseSampleVoices();
void SoundStopMixer();
void SoundCloseOutput();
void SoundClose();
}

namespace zorbulant::sndlib {

inline constexpr const char* FileName = "SNDLIB11.DLL";

// The export numbers; SNDLIB11.def gives each function its number.
enum Export : uint16_t {
  ExportOpen = 3,
  ExportSetOption = 26,
  ExportRunSetup = 62,
  ExportSaveSetup = 66,
  ExportLoadSetup = 65,
  ExportApplyOptions = 6,
  ExportSetAmplification = 13,
  ExportOpenOutput = 21,
  ExportStartMixer = 11,
  ExportOpenSampleVoices = 31,
  ExportLoadSample = 28,
  ExportLoadLevelSample = 29,
  ExportFreeSample = 30,
  ExportPlaySample = 33,
  ExportLoadModule = 16,
  ExportStartModule = 18,
  ExportStopPlayback = 19,
  ExportFreeModule = 20,
  ExportCloseSampleVoices = 32,
  ExportStopMixer = 12,
  ExportCloseOutput = 22,
  ExportClose = 7,
};

// A handle carried in 32 bits, widened with its sign. The predefined registry
// keys are defined so in windows.h, and a window handle keeps its meaning in
// its low 32 bits.
template <typename Handle>
Handle WidenHandle(uint32_t handle) {
  return reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

template <typename Handle>
uint32_t NarrowHandle(Handle handle) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace zorbulant::sndlib
