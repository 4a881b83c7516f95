// Loading SNDLIB11.DLL and calling its exports.
#include "platform/win32/dll_sound_library.h"

#include "platform/win32/sndlib/sound_library_exports.h"

namespace zorbulant {

struct DllSoundLibrary::Exports {
  decltype(&SoundOpen) open;
  decltype(&SoundSetOption) setOption;
  decltype(&SoundRunSetup) runSetup;
  decltype(&SoundSaveSetup) saveSetup;
  decltype(&SoundLoadSetup) loadSetup;
  decltype(&SoundApplyOptions) applyOptions;
  decltype(&SoundSetAmplification) setAmplification;
  decltype(&SoundOpenOutput) openOutput;
  decltype(&SoundStartMixer) startMixer;
  decltype(&SoundOpenSampleVoices) openSampleVoices;
  decltype(&SoundLoadSample) loadSample;
  decltype(&SoundLoadLevelSample) loadLevelSample;
  decltype(&SoundFreeSample) freeSample;
  decltype(&SoundPlaySample) playSample;
  decltype(&SoundLoadModule) loadModule;
  decltype(&SoundStartModule) startModule;
  decltype(&SoundStopPlayback) stopPlayback;
  decltype(&SoundFreeModule) freeModule;
  decltype(&SoundCloseSampleVoices) closeSampleVoices;
  decltype(&SoundStopMixer) stopMixer;
  decltype(&SoundCloseOutput) closeOutput;
  decltype(&SoundClose) close;
};

namespace {

// Finds export `number` as a function of the type of `function`; false when
// the DLL has no such export.
template <typename Function>
bool Find(HMODULE module, sndlib::Export number, Function& function) {
  const FARPROC found = GetProcAddress(module, MAKEINTRESOURCEA(number));
  // Through the one function type that converts to every other.
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
  return found != nullptr;
}

}  // namespace

DllSoundLibrary::DllSoundLibrary() : DllSoundLibrary(sndlib::FileName) {}

DllSoundLibrary::DllSoundLibrary(const char* fileName) {
  const HMODULE module = LoadLibraryA(fileName);
  if (module == nullptr) return;
  auto exports = std::make_unique<Exports>();
  Exports& e = *exports;
  const bool complete = Find(module, sndlib::ExportOpen, e.open) &&
                        Find(module, sndlib::ExportSetOption, e.setOption) &&
                        Find(module, sndlib::ExportRunSetup, e.runSetup) &&
                        Find(module, sndlib::ExportSaveSetup, e.saveSetup) &&
                        Find(module, sndlib::ExportLoadSetup, e.loadSetup) &&
                        Find(module, sndlib::ExportApplyOptions, e.applyOptions) &&
                        Find(module, sndlib::ExportSetAmplification, e.setAmplification) &&
                        Find(module, sndlib::ExportOpenOutput, e.openOutput) &&
                        Find(module, sndlib::ExportStartMixer, e.startMixer) &&
                        Find(module, sndlib::ExportOpenSampleVoices, e.openSampleVoices) &&
                        Find(module, sndlib::ExportLoadSample, e.loadSample) &&
                        Find(module, sndlib::ExportLoadLevelSample, e.loadLevelSample) &&
                        Find(module, sndlib::ExportFreeSample, e.freeSample) &&
                        Find(module, sndlib::ExportPlaySample, e.playSample) &&
                        Find(module, sndlib::ExportLoadModule, e.loadModule) &&
                        Find(module, sndlib::ExportStartModule, e.startModule) &&
                        Find(module, sndlib::ExportStopPlayback, e.stopPlayback) &&
                        Find(module, sndlib::ExportFreeModule, e.freeModule) &&
                        Find(module, sndlib::ExportCloseSampleVoices, e.closeSampleVoices) &&
                        Find(module, sndlib::ExportStopMixer, e.stopMixer) &&
                        Find(module, sndlib::ExportCloseOutput, e.closeOutput) &&
                        Find(module, sndlib::ExportClose, e.close);
  if (!complete) {
    FreeLibrary(module);
    return;
  }
  module_ = module;
  exports_ = std::move(exports);
}

DllSoundLibrary::~DllSoundLibrary() {
  if (module_ != nullptr) FreeLibrary(static_cast<HMODULE>(module_));
}

uint32_t DllSoundLibrary::Open() { return exports_ ? exports_->open() : 0; }

void DllSoundLibrary::SetOption(uint32_t setting, uint32_t value) {
  if (exports_) exports_->setOption(setting, value);
}

void DllSoundLibrary::RunSetup() {
  if (exports_) exports_->runSetup();
}

void DllSoundLibrary::SaveSetup(uint32_t rootKey, const char* subKey) {
  if (exports_) exports_->saveSetup(sndlib::WidenHandle<HKEY>(rootKey), subKey);
}

void DllSoundLibrary::LoadSetup(uint32_t rootKey, const char* subKey) {
  if (exports_) exports_->loadSetup(sndlib::WidenHandle<HKEY>(rootKey), subKey);
}

uint32_t DllSoundLibrary::ApplyOptions() { return exports_ ? exports_->applyOptions() : 0; }

void DllSoundLibrary::SetAmplification(uint32_t amplification) {
  if (exports_) exports_->setAmplification(amplification);
}

uint32_t DllSoundLibrary::OpenOutput(uint32_t value) {
  return exports_ ? exports_->openOutput(value) : 0;
}

uint32_t DllSoundLibrary::StartMixer(uint32_t value) {
  return exports_ ? exports_->startMixer(value) : 0;
}

uint32_t DllSoundLibrary::OpenSampleVoices(uint32_t count) {
  return exports_ ? exports_->openSampleVoices(count) : 0;
}

uint32_t DllSoundLibrary::LoadSample(const char* fileName, uint32_t format, uint32_t flags) {
  return exports_ ? exports_->loadSample(fileName, format, flags) : 0;
}

uint32_t DllSoundLibrary::LoadLevelSample(const char* fileName, uint32_t flags) {
  return exports_ ? exports_->loadLevelSample(fileName, flags) : 0;
}

void DllSoundLibrary::FreeSample(uint32_t sample) {
  if (exports_) exports_->freeSample(sample);
}

void DllSoundLibrary::PlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate,
                                 uint32_t volume, uint32_t panning) {
  if (exports_) exports_->playSample(sample, length, start, rate, volume, panning);
}

uint32_t DllSoundLibrary::LoadModule(const char* fileName) {
  return exports_ ? exports_->loadModule(fileName) : 0;
}

uint32_t DllSoundLibrary::StartModule(uint32_t module, uint32_t loop) {
  return exports_ ? exports_->startModule(module, loop) : 0;
}

void DllSoundLibrary::StopPlayback(uint32_t playback) {
  if (exports_) exports_->stopPlayback(playback);
}

void DllSoundLibrary::FreeModule(uint32_t module) {
  if (exports_) exports_->freeModule(module);
}

void DllSoundLibrary::CloseSampleVoices() {
  if (exports_) exports_->closeSampleVoices();
}

void DllSoundLibrary::StopMixer() {
  if (exports_) exports_->stopMixer();
}

void DllSoundLibrary::CloseOutput() {
  if (exports_) exports_->closeOutput();
}

void DllSoundLibrary::Close() {
  if (exports_) exports_->close();
}

}  // namespace zorbulant
