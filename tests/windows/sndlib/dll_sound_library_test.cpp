// SNDLIB11.DLL through the game's loader: the sound engine's start-up and
// shutdown, the data pack's samples and modules, the set-up in the registry,
// and a library that is missing or incomplete. The tests run in a directory
// holding the data pack's sound files.
#include "platform/win32/dll_sound_library.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "dialog_driver.h"
#include "engine_steps.h"
#include "platform/win32/sndlib/sound_library_exports.h"
#include "sound/sound_engine.h"
#include "sound/sound_setup.h"
#include "test_environment.h"

namespace zorbulant::testing {
namespace {

constexpr bool PlaysMusic = SNDLIB_PLAYS_MUSIC;
constexpr uint32_t HkeyCurrentUser = 0x80000001;

std::optional<uint32_t> StoredNumber(HKEY root, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, SoundEngineKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  uint32_t value = 0;
  DWORD size = sizeof value;
  const LONG status =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || size != sizeof value) return std::nullopt;
  return value;
}

void StoreNumber(const char* name, uint32_t value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SoundEngineKey, 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

bool KeyExists(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, SoundEngineKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class DllSoundLibraryTest : public ::testing::Test {
 protected:
  // Every test leaves the library closed, so the next one finds it new.
  void TearDown() override { library_.Close(); }

  FreshSoundKey key_;
  DllSoundLibrary library_;
};

TEST_F(DllSoundLibraryTest, StartsUpWithAnOutputDevice) {
  if (!AudioDevicePresent()) GTEST_SKIP() << "no output device";
  const StartUp steps = StartLikeTheEngine(library_);
  EXPECT_EQ(steps.open, 1u);
  EXPECT_EQ(steps.apply, 1u);
  EXPECT_EQ(steps.output, 1u);
  EXPECT_EQ(steps.mixer, 1u);
  EXPECT_EQ(steps.voices, 1u);
  ShutDownLikeTheEngine(library_);
}

// The engine stops at the output and stays silent; the library refuses what
// needs the mixer.
TEST_F(DllSoundLibraryTest, WithoutAnOutputDeviceTheStartUpFailsAtTheOutput) {
  if (AudioDevicePresent()) GTEST_SKIP() << "an output device is there";
  const StartUp steps = StartLikeTheEngine(library_);
  EXPECT_EQ(steps.open, 1u);
  EXPECT_EQ(steps.apply, 1u);
  EXPECT_EQ(steps.output, 0u);
  EXPECT_EQ(steps.mixer, 0u);
  EXPECT_EQ(steps.voices, 0u);
  const uint32_t module = library_.LoadModule("intro001.mod");
  EXPECT_EQ(library_.StartModule(module, 1), 0u);
  ShutDownLikeTheEngine(library_);
}

TEST_F(DllSoundLibraryTest, LoadsTheFixedSamplesOfTheDataPack) {
  StartLikeTheEngine(library_);
  std::set<uint32_t> handles;
  for (const SampleRecord& record : SoundEngine{}.SampleTable) {
    const uint32_t handle = library_.LoadSample(record.FileName, record.FormatCode, 0);
    EXPECT_NE(handle, 0u) << record.FileName;
    handles.insert(handle);
    library_.PlaySample(handle, 65535, 0, 11025, 64, 0);
  }
  EXPECT_EQ(handles.size(), SoundEngine{}.SampleTable.size());
  for (const uint32_t handle : handles) library_.FreeSample(handle);
  ShutDownLikeTheEngine(library_);
}

TEST_F(DllSoundLibraryTest, AFailedSampleLoadGivesZero) {
  StartLikeTheEngine(library_);
  EXPECT_EQ(library_.LoadSample("missing.ulw", 7, 0), 0u);
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 6, 0), 0u);
  // A level sample is a RIFF WAVE file, which a fixed sample is not.
  EXPECT_NE(library_.LoadLevelSample("lsfx1aaa.wav", 0), 0u);
  EXPECT_EQ(library_.LoadLevelSample("gun1.ulw", 0), 0u);
  EXPECT_EQ(library_.LoadLevelSample("missing.wav", 0), 0u);
  ShutDownLikeTheEngine(library_);
}

TEST_F(DllSoundLibraryTest, LoadsModulesWhenBuiltWithMusic) {
  StartLikeTheEngine(library_);
  const uint32_t intro = library_.LoadModule("intro001.mod");
  // The game names the menu music in both cases.
  const uint32_t again = library_.LoadModule("Intro001.mod");
  EXPECT_EQ(intro != 0, PlaysMusic);
  EXPECT_EQ(again != 0, PlaysMusic);
  EXPECT_EQ(library_.LoadModule("missing.mod"), 0u);
  if (PlaysMusic) {
    EXPECT_NE(intro, again);
  }

  const uint32_t playback = library_.StartModule(intro, 1);
  EXPECT_EQ(playback != 0, PlaysMusic && AudioDevicePresent());
  library_.StopPlayback(playback);
  library_.FreeModule(intro);
  EXPECT_EQ(library_.StartModule(intro, 1), 0u);
  library_.FreeModule(again);
  ShutDownLikeTheEngine(library_);
}

TEST_F(DllSoundLibraryTest, NothingWorksBeforeExportThreeOrAfterExportSeven) {
  EXPECT_EQ(library_.ApplyOptions(), 0u);
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  StartLikeTheEngine(library_);
  ASSERT_NE(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  ShutDownLikeTheEngine(library_);
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  EXPECT_EQ(library_.ApplyOptions(), 0u);
  // Opened again, it starts afresh.
  EXPECT_EQ(StartLikeTheEngine(library_).apply, 1u);
  EXPECT_NE(library_.LoadSample("gun1.ulw", 7, 0), 0u);
}

// Storing starts from what was stored: without the dialog it stays.
TEST_F(DllSoundLibraryTest, StoresItsSetUpUnderTheMachinesKey) {
  library_.Open();
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "MixingRate"), SoundSetup{}.mixingRate);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "BufferFrames"), SoundSetup{}.bufferFrames);
  StoreNumber("BufferFrames", 2048);
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "BufferFrames"), 2048u);
}

TEST_F(DllSoundLibraryTest, KeepsNoSetUpUnderAnotherRoot) {
  library_.Open();
  library_.SaveSetup(HkeyCurrentUser, SoundEngineKey);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
}

TEST_F(DllSoundLibraryTest, TheSetUpDialogComesOnlyWhenAskedFor) {
  if (!WindowsCanBeShown()) GTEST_SKIP() << "no display to show the dialog on";
  library_.Open();
  DialogDriver unasked(Press(IDCANCEL));
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_FALSE(unasked.Finish().shown);

  DialogDriver player(DialogAnswer{.device = {}, .rate = 0, .buffer = 2, .button = IDOK});
  library_.RunSetup();
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_TRUE(player.Finish().shown);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "MixingRate"), MixingRates[0]);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "BufferFrames"), BufferSizes[2]);
}

TEST_F(DllSoundLibraryTest, WithoutADisplayTheSetUpStoresWhatWasThere) {
  if (WindowsCanBeShown()) GTEST_SKIP() << "a display is there";
  StoreNumber("MixingRate", 44100);
  library_.Open();
  library_.RunSetup();
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "MixingRate"), 44100u);
  EXPECT_EQ(StoredNumber(HKEY_LOCAL_MACHINE, "BufferFrames"), SoundSetup{}.bufferFrames);
}

TEST(DllSoundLibraryLoading, HoldsTheLibraryForItsLife) {
  {
    DllSoundLibrary library;
    EXPECT_NE(GetModuleHandleA(sndlib::FileName), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA(sndlib::FileName), nullptr);
}

// The engine's whole road through a library that is not there: every call does
// nothing, every result is 0, and the engine stays silent.
void ExpectSilent(SoundLibrary& library) {
  const StartUp steps = StartLikeTheEngine(library);
  EXPECT_EQ(steps.open, 0u);
  EXPECT_EQ(steps.apply, 0u);
  EXPECT_EQ(steps.output, 0u);
  EXPECT_EQ(steps.mixer, 0u);
  EXPECT_EQ(steps.voices, 0u);
  library.RunSetup();
  library.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(library.LoadSample("gun1.ulw", 7, 0), 0u);
  EXPECT_EQ(library.LoadLevelSample("lsfx1aaa.wav", 0), 0u);
  EXPECT_EQ(library.LoadModule("intro001.mod"), 0u);
  EXPECT_EQ(library.StartModule(1, 1), 0u);
  library.PlaySample(1, 65535, 0, 11025, 64, 0);
  library.SetAmplification(511);
  library.StopPlayback(1);
  library.FreeModule(1);
  library.FreeSample(1);
  ShutDownLikeTheEngine(library);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
}

TEST(DllSoundLibraryLoading, AMissingLibraryDoesNothing) {
  FreshSoundKey key;
  DllSoundLibrary library("NOSNDLIB.DLL");
  ExpectSilent(library);
}

// Its export 3 would succeed, but the loader takes a library with exports
// missing for none and lets go of it at once.
TEST(DllSoundLibraryLoading, AnIncompleteLibraryDoesNothing) {
  FreshSoundKey key;
  ASSERT_NE(GetFileAttributesA("SNDPART.DLL"), INVALID_FILE_ATTRIBUTES);
  DllSoundLibrary library("SNDPART.DLL");
  EXPECT_EQ(GetModuleHandleA("SNDPART.DLL"), nullptr);
  ExpectSilent(library);
}

}  // namespace
}  // namespace zorbulant::testing
