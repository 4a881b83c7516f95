// SNDLIB11.DLL exports each function by the number the game knows it by, and
// nothing else.
#include <gtest/gtest.h>

#include <set>

#include "platform/win32/sndlib/sound_library_exports.h"

namespace zorbulant::testing {
namespace {

struct Named {
  sndlib::Export number;
  const char* name;
};

const Named Exports[] = {
    {sndlib::ExportOpen, "SoundOpen"},
    {sndlib::ExportSetOption, "SoundSetOption"},
    {sndlib::ExportRunSetup, "SoundRunSetup"},
    {sndlib::ExportSaveSetup, "SoundSaveSetup"},
    {sndlib::ExportLoadSetup, "SoundLoadSetup"},
    {sndlib::ExportApplyOptions, "SoundApplyOptions"},
    {sndlib::ExportSetAmplification, "SoundSetAmplification"},
    {sndlib::ExportOpenOutput, "SoundOpenOutput"},
    {sndlib::ExportStartMixer, "SoundStartMixer"},
    {sndlib::ExportOpenSampleVoices, "SoundOpenSampleVoices"},
    {sndlib::ExportLoadSample, "SoundLoadSample"},
    {sndlib::ExportLoadLevelSample, "SoundLoadLevelSample"},
    {sndlib::ExportFreeSample, "SoundFreeSample"},
    {sndlib::ExportPlaySample, "SoundPlaySample"},
    {sndlib::ExportLoadModule, "SoundLoadModule"},
    {sndlib::ExportStartModule, "SoundStartModule"},
    {sndlib::ExportStopPlayback, "SoundStopPlayback"},
    {sndlib::ExportFreeModule, "SoundFreeModule"},
    {sndlib::ExportCloseSampleVoices, "SoundCloseSampleVoices"},
    {sndlib::ExportStopMixer, "SoundStopMixer"},
    {sndlib::ExportCloseOutput, "SoundCloseOutput"},
    {sndlib::ExportClose, "SoundClose"},
};

class ExportNumbersTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module_, nullptr) << "SNDLIB11.DLL did not load"; }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  FARPROC ByNumber(uint16_t number) const {
    return GetProcAddress(module_, MAKEINTRESOURCEA(number));
  }

  HMODULE module_ = LoadLibraryA(sndlib::FileName);
};

TEST_F(ExportNumbersTest, EachNumberIsItsFunction) {
  for (const Named& e : Exports) {
    SCOPED_TRACE(e.name);
    const FARPROC byNumber = ByNumber(e.number);
    ASSERT_NE(byNumber, nullptr);
    EXPECT_EQ(byNumber, GetProcAddress(module_, e.name));
  }
}

TEST_F(ExportNumbersTest, NoOtherNumberIsExported) {
  std::set<uint16_t> known;
  for (const Named& e : Exports) known.insert(e.number);
  ASSERT_EQ(known.size(), std::size(Exports));
  // The game imports numbers up to 66; a few beyond show that nothing lies
  // past the last.
  for (uint16_t number = 1; number <= 80; ++number) {
    if (!known.contains(number)) {
      EXPECT_EQ(ByNumber(number), nullptr) << "export " << number;
    }
  }
}

}  // namespace
}  // namespace zorbulant::testing
