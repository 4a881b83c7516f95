// The sound library's set-up: the terminal dialog, and the set-up kept in the
// settings store.
#include "sound/sound_setup.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/settings/memory_settings_store.h"

namespace zorbulant {
namespace {

constexpr const char* SubKey = "SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine";

SoundSetup Answer(const std::string& answers, const std::vector<std::string>& devices,
                  SoundSetup setup, std::string* shown = nullptr) {
  std::istringstream input(answers);
  std::ostringstream output;
  RunSoundSetupDialog(setup, devices, input, output);
  if (shown != nullptr) *shown = output.str();
  return setup;
}

TEST(SoundSetupDialogTest, EachQuestionTakesAListedNumber) {
  const std::vector<std::string> devices{"Speakers", "Headphones"};
  std::string shown;
  const SoundSetup chosen = Answer("3\n1\n3\n", devices, SoundSetup{}, &shown);
  EXPECT_EQ(chosen.device, "Headphones");
  EXPECT_EQ(chosen.mixingRate, MixingRates[0]);
  EXPECT_EQ(chosen.bufferFrames, BufferSizes[2]);
  EXPECT_NE(shown.find("Headphones"), std::string::npos) << shown;
  EXPECT_NE(shown.find("44100 Hz"), std::string::npos) << shown;

  SoundSetup named;
  named.device = "Speakers";
  EXPECT_EQ(Answer("1\n\n\n", devices, named).device, "") << "1 is the system's default";
}

TEST(SoundSetupDialogTest, AnEmptyAnswerOrTheEndOfInputKeepsTheCurrentValue) {
  SoundSetup current;
  current.device = "Gone since";
  current.mixingRate = 44100;
  current.bufferFrames = 2048;
  const std::vector<std::string> devices{"Speakers"};
  EXPECT_EQ(Answer("\n\n\n", devices, current), current);
  EXPECT_EQ(Answer("", devices, current), current);
  SoundSetup onlyRate = current;
  onlyRate.mixingRate = MixingRates[1];
  EXPECT_EQ(Answer("\n2\n", devices, current), onlyRate) << "input ends before the buffer";
}

TEST(SoundSetupDialogTest, AnswersOutsideTheListAreAskedAgain) {
  std::string shown;
  const SoundSetup chosen =
      Answer("0\n9\nfast\n2 \n-1\n4\n\n1\n", {"Speakers"}, SoundSetup{}, &shown);
  EXPECT_EQ(chosen.device, "Speakers");
  EXPECT_EQ(chosen.mixingRate, SoundSetup{}.mixingRate);
  EXPECT_EQ(chosen.bufferFrames, BufferSizes[0]);
  EXPECT_NE(shown.find("Choose 1-2, or Enter"), std::string::npos) << shown;
}

TEST(SoundSetupStoreTest, ASavedSetupLoadsAgain) {
  MemorySettingsStore store;
  SoundSetup saved;
  saved.device = "USB Audio";
  saved.mixingRate = 44100;
  saved.bufferFrames = 256;
  SaveSoundSetup(store, SubKey, saved);
  SoundSetup loaded;
  LoadSoundSetup(store, SubKey, loaded);
  EXPECT_EQ(loaded, saved);

  SoundSetup defaultDevice = saved;
  defaultDevice.device.clear();
  SaveSoundSetup(store, SubKey, defaultDevice);
  LoadSoundSetup(store, SubKey, loaded);
  EXPECT_EQ(loaded, defaultDevice);
}

TEST(SoundSetupStoreTest, NothingStoredKeepsTheSetup) {
  MemorySettingsStore store;
  SoundSetup setup;
  setup.bufferFrames = 1024;
  const SoundSetup before = setup;
  LoadSoundSetup(store, SubKey, setup);
  EXPECT_EQ(setup, before);
}

TEST(SoundSetupStoreTest, ValuesThatAreNotChoicesOrNotWellFormedAreIgnored) {
  MemorySettingsStore store;
  SettingsStore::Key key = 0;
  ASSERT_EQ(store.CreateKey(SubKey, key), registry::Success);
  const uint8_t oddRate[4] = {0x39, 0x30, 0, 0};  // 12345
  store.SetValue(key, "MixingRate", registry::TypeDword, oddRate, 4);
  const uint8_t shortBuffer[2] = {0, 1};  // 256, but only two bytes
  store.SetValue(key, "BufferFrames", registry::TypeBinary, shortBuffer, 2);
  const uint8_t unterminated[3] = {'a', 'b', 'c'};
  store.SetValue(key, "Device", 1, unterminated, 3);
  store.CloseKey(key);

  SoundSetup setup;
  LoadSoundSetup(store, SubKey, setup);
  EXPECT_EQ(setup, SoundSetup{});
}

}  // namespace
}  // namespace zorbulant
