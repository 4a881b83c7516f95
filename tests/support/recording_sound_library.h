// A sound library that starts successfully and records every call, so tests
// can check what the game asked of it and in which order.
#pragma once

#include <string>
#include <vector>

#include "platform/sound_library.h"

namespace zorbulant::testing {

class RecordingSoundLibrary final : public SoundLibrary {
 public:
  std::vector<std::string> calls;
  // The export number whose start-up step fails (returns 0); 0 = none.
  uint32_t failingExport = 0;
  // A module name whose load fails (export 16 returns 0).
  std::string missingModule;

  uint32_t Open() override { return Step(3, "3"); }
  void SetOption(uint32_t setting, uint32_t value) override {
    Record("26(" + std::to_string(setting) + "," + std::to_string(value) + ")");
  }
  void RunSetup() override { Record("62"); }
  void SaveSetup(uint32_t, const char* subKey) override { Record(std::string("66 ") + subKey); }
  void LoadSetup(uint32_t, const char* subKey) override { Record(std::string("65 ") + subKey); }
  uint32_t ApplyOptions() override { return Step(6, "6"); }
  void SetAmplification(uint32_t amplification) override {
    Record("13(" + std::to_string(amplification) + ")");
  }
  uint32_t OpenOutput(uint32_t) override { return Step(21, "21"); }
  uint32_t StartMixer(uint32_t) override { return Step(11, "11"); }
  uint32_t OpenSampleVoices(uint32_t) override { return Step(31, "31"); }
  uint32_t LoadSample(const char* fileName, uint32_t, uint32_t) override {
    Record(std::string("28 ") + fileName);
    return ++nextHandle_;
  }
  uint32_t LoadLevelSample(const char* fileName, uint32_t) override {
    Record(std::string("29 ") + fileName);
    return ++nextHandle_;
  }
  void FreeSample(uint32_t sample) override { Record("30(" + std::to_string(sample) + ")"); }
  void PlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate, uint32_t volume,
                  uint32_t panning) override {
    Record("33(" + std::to_string(sample) + "," + std::to_string(length) + "," +
           std::to_string(start) + "," + std::to_string(rate) + "," + std::to_string(volume) + "," +
           std::to_string(panning) + ")");
  }
  uint32_t LoadModule(const char* fileName) override {
    Record(std::string("16 ") + fileName);
    return fileName == missingModule ? 0 : ++nextHandle_;
  }
  uint32_t StartModule(uint32_t module, uint32_t) override {
    Record("18(" + std::to_string(module) + ")");
    return ++nextHandle_;
  }
  void StopPlayback(uint32_t playback) override { Record("19(" + std::to_string(playback) + ")"); }
  void FreeModule(uint32_t module) override { Record("20(" + std::to_string(module) + ")"); }
  void CloseSampleVoices() override { Record("32"); }
  void StopMixer() override { Record("12"); }
  void CloseOutput() override { Record("22"); }
  void Close() override { Record("7"); }

  // The recorded calls whose text starts with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
  }

 private:
  void Record(std::string call) { calls.push_back(std::move(call)); }
  uint32_t Step(uint32_t number, const char* name) {
    Record(name);
    return number == failingExport ? 0 : 1;
  }
  uint32_t nextHandle_ = 100;
};

}  // namespace zorbulant::testing
