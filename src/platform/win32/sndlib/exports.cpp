// The exports of SNDLIB11.DLL over the program's one library instance.
#include "platform/win32/sndlib/sound_library_exports.h"
#include "platform/win32/sndlib/sound_library_instance.h"

using zorbulant::SoundLibraryInstance;

namespace {

// The exports are plain functions, so the instance they share is the DLL's one
// global. Export 3 makes it and export 7 takes it down; unloading the DLL
// leaves it alone, since waiting there for the output's thread could hang the
// loader, and a process that ends has stopped that thread already.
SoundLibraryInstance* instance = nullptr;

}  // namespace

uint32_t SoundOpen() {
  if (instance == nullptr) instance = new SoundLibraryInstance;
  return instance->Library().Open();
}

void SoundSetOption(uint32_t setting, uint32_t value) {
  if (instance != nullptr) instance->SetOption(setting, value);
}

void SoundRunSetup() {
  if (instance != nullptr) instance->RunSetup();
}

void SoundSaveSetup(HKEY root, const char* subKey) {
  if (instance != nullptr) instance->SaveSetup(root, subKey);
}

void SoundLoadSetup(HKEY root, const char* subKey) {
  if (instance != nullptr) instance->LoadSetup(root, subKey);
}

uint32_t SoundApplyOptions() {
  return instance != nullptr ? instance->Library().ApplyOptions() : 0;
}

void SoundSetAmplification(uint32_t amplification) {
  if (instance != nullptr) instance->Library().SetAmplification(amplification);
}

uint32_t SoundOpenOutput(uint32_t value) {
  return instance != nullptr ? instance->Library().OpenOutput(value) : 0;
}

uint32_t SoundStartMixer(uint32_t value) {
  return instance != nullptr ? instance->Library().StartMixer(value) : 0;
}

uint32_t SoundOpenSampleVoices(uint32_t count) {
  return instance != nullptr ? instance->Library().OpenSampleVoices(count) : 0;
}

uint32_t SoundLoadSample(const char* fileName, uint32_t format, uint32_t flags) {
  return instance != nullptr ? instance->Library().LoadSample(fileName, format, flags) : 0;
}

uint32_t SoundLoadLevelSample(const char* fileName, uint32_t flags) {
  return instance != nullptr ? instance->Library().LoadLevelSample(fileName, flags) : 0;
}

void SoundFreeSample(uint32_t sample) {
  if (instance != nullptr) instance->Library().FreeSample(sample);
}

void SoundPlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate,
                     uint32_t volume, uint32_t panning) {
  if (instance != nullptr) {
    instance->Library().PlaySample(sample, length, start, rate, volume, panning);
  }
}

uint32_t SoundLoadModule(const char* fileName) {
  return instance != nullptr ? instance->Library().LoadModule(fileName) : 0;
}

uint32_t SoundStartModule(uint32_t module, uint32_t loop) {
  return instance != nullptr ? instance->Library().StartModule(module, loop) : 0;
}

void SoundStopPlayback(uint32_t playback) {
  if (instance != nullptr) instance->Library().StopPlayback(playback);
}

void SoundFreeModule(uint32_t module) {
  if (instance != nullptr) instance->Library().FreeModule(module);
}

void SoundCloseSampleVoices() {
  if (instance != nullptr) instance->Library().CloseSampleVoices();
}

void SoundStopMixer() {
  if (instance != nullptr) instance->Library().StopMixer();
}

void SoundCloseOutput() {
  if (instance != nullptr) instance->Library().CloseOutput();
}

void SoundClose() {
  delete instance;
  instance = nullptr;
}
