// SNDLIB11.DLL exports each function by the number the game knows it by, and
// nothing else.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/win32/sndlib/sound_library_exports.h"

namespace zorbulant::sndlib {
namespace {

TEST(ExportNumbers, EachNumberIsItsFunctionAndNoOtherIsExported) {
  const std::pair<Export, const char*> exports[] = {
      {ExportOpen, "SoundOpen"},
      {ExportSetOption, "SoundSetOption"},
      {ExportRunSetup, "SoundRunSetup"},
      {ExportSaveSetup, "SoundSaveSetup"},
      {ExportLoadSetup, "SoundLoadSetup"},
      {ExportApplyOptions, "SoundApplyOptions"},
      {ExportSetAmplification, "SoundSetAmplification"},
      {ExportOpenOutput, "SoundOpenOutput"},
      {ExportStartMixer, "SoundStartMixer"},
      {ExportOpenSampleVoices, "SoundOpenSampleVoices"},
      {ExportLoadSample, "SoundLoadSample"},
      {ExportLoadLevelSample, "SoundLoadLevelSample"},
      {ExportFreeSample, "SoundFreeSample"},
      {ExportPlaySample, "SoundPlaySample"},
      {ExportLoadModule, "SoundLoadModule"},
      {ExportStartModule, "SoundStartModule"},
      {ExportStopPlayback, "SoundStopPlayback"},
      {ExportFreeModule, "SoundFreeModule"},
      {ExportCloseSampleVoices, "SoundCloseSampleVoices"},
      {ExportStopMixer, "SoundStopMixer"},
      {ExportCloseOutput, "SoundCloseOutput"},
      {ExportClose, "SoundClose"},
  };
  const HMODULE module = LoadLibraryA(FileName);
  ASSERT_NE(module, nullptr) << "SNDLIB11.DLL did not load";
  std::set<uint16_t> numbers;
  for (const auto& [number, name] : exports) {
    const FARPROC byNumber = GetProcAddress(module, MAKEINTRESOURCEA(number));
    EXPECT_NE(byNumber, nullptr) << name;
    EXPECT_EQ(byNumber, GetProcAddress(module, name)) << name;
    numbers.insert(number);
  }
  EXPECT_EQ(numbers.size(), std::size(exports));
  // The game imports numbers up to 66; a few beyond show that nothing lies
  // past the last.
  for (uint16_t number = 1; number <= 80; ++number) {
    if (numbers.contains(number)) continue;
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(number)), nullptr) << "export " << number;
  }
  FreeLibrary(module);
}

}  // namespace
}  // namespace zorbulant::sndlib
