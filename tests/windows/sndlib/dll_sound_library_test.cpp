// SNDLIB11.DLL through the game's loader: the sound engine's start-up and
// shutdown, the data pack's samples and modules and what the device gets of
// them, the set-up in the registry, and a library that is missing or
// incomplete. The tests run in a directory holding the data pack's sound
// files.
#include "platform/win32/dll_sound_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "platform/win32/sndlib/sound_library_exports.h"
#include "sound/sound_engine.h"
#include "sound/sound_setup.h"
#include "test_environment.h"

namespace zorbulant::testing {
namespace {

constexpr bool PlaysMusic = SNDLIB_PLAYS_MUSIC;

// What the steps that can fail gave: open, apply, output, mixer, voices.
using StartUp = std::array<uint32_t, 5>;

// The sound engine's calls into the library at start-up and shutdown, in its
// order and with its values; every step of the start-up, without stopping at
// a failure.
StartUp StartLikeTheEngine(SoundLibrary& library) {
  const uint32_t open = library.Open();
  library.SetOption(11, 1);
  library.SetOption(3, 250);
  library.SetOption(6, 0);
  library.SetOption(5, 1);
  library.LoadSetup(HkeyLocalMachine, SoundEngineKey);
  const uint32_t apply = library.ApplyOptions();
  library.SetAmplification(300);
  const uint32_t output = library.OpenOutput(0);
  const uint32_t mixer = library.StartMixer(40);
  return {open, apply, output, mixer, library.OpenSampleVoices(16)};
}

void ShutDownLikeTheEngine(SoundLibrary& library) {
  library.CloseSampleVoices();
  library.StopMixer();
  library.CloseOutput();
  library.Close();
}

// A number of the sound library's set-up as stored under `root`.
std::optional<uint32_t> Stored(const char* name, HKEY root = HKEY_LOCAL_MACHINE) {
  uint32_t value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(root, SoundEngineKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void Store(const char* name, uint32_t value) {
  ASSERT_EQ(
      RegSetKeyValueA(HKEY_LOCAL_MACHINE, SoundEngineKey, name, REG_DWORD, &value, sizeof value),
      ERROR_SUCCESS);
}

// run_sndlib_tests.sh says with ZORBULANT_TEST_AUDIO and ZORBULANT_TEST_DISPLAY
// ("present" or "absent") what the run offers: a run meant to have a device or
// a display that has none would skip the very tests it is for.
TEST(TestEnvironment, IsTheOneTheRunAsksFor) {
  const char* audio = std::getenv("ZORBULANT_TEST_AUDIO");
  const char* display = std::getenv("ZORBULANT_TEST_DISPLAY");
  if (audio == nullptr || display == nullptr) GTEST_SKIP() << "the run does not say what it offers";
  EXPECT_STREQ(audio, AudioDevicePresent() ? "present" : "absent");
  EXPECT_STREQ(display, WindowsCanBeShown() ? "present" : "absent");
}

class DllSoundLibraryTest : public ::testing::Test {
 protected:
  // Every test leaves the library closed, so the next one finds it new.
  void TearDown() override { library_.Close(); }

  FreshSoundKey key_;
  DllSoundLibrary library_;
};

// Without an output device the engine stops at the output and stays silent.
TEST_F(DllSoundLibraryTest, StartsUpAsFarAsTheOutputDeviceLetsIt) {
  const uint32_t device = AudioDevicePresent() ? 1 : 0;
  EXPECT_EQ(StartLikeTheEngine(library_), (StartUp{1, 1, device, device, device}));
  ShutDownLikeTheEngine(library_);
}

TEST_F(DllSoundLibraryTest, LoadsTheDataPacksSoundsAndWhatFailsToLoadGivesZero) {
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
  EXPECT_EQ(library_.LoadSample("missing.ulw", 7, 0), 0u);
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 6, 0), 0u);
  // A level sample is a RIFF WAVE file, which a fixed sample is not.
  EXPECT_NE(library_.LoadLevelSample("lsfx1aaa.wav", 0), 0u);
  EXPECT_EQ(library_.LoadLevelSample("gun1.ulw", 0), 0u);
  EXPECT_EQ(library_.LoadLevelSample("missing.wav", 0), 0u);

  // The game names the menu music in both cases.
  const uint32_t intro = library_.LoadModule("intro001.mod");
  const uint32_t again = library_.LoadModule("Intro001.mod");
  EXPECT_EQ(intro != 0, PlaysMusic);
  EXPECT_EQ(again != 0, PlaysMusic);
  EXPECT_TRUE(intro != again || !PlaysMusic);
  EXPECT_EQ(library_.LoadModule("missing.mod"), 0u);
  // Without an output device there is no mixer to play it.
  const uint32_t playback = library_.StartModule(intro, 1);
  EXPECT_EQ(playback != 0, PlaysMusic && AudioDevicePresent());
  library_.StopPlayback(playback);
  library_.FreeModule(intro);
  EXPECT_EQ(library_.StartModule(intro, 1), 0u);
  library_.FreeModule(again);
  ShutDownLikeTheEngine(library_);
}

// Plays the menu music or a sample or both long enough for the device to take
// a good many buffers, and tells how many bytes it took and how many of them
// were not silence. run_sndlib_tests.sh gives the run a device that writes
// all it plays to the file ZORBULANT_TEST_CAPTURE names, anew at each opening.
std::pair<size_t, size_t> Play(const char* capture, uint32_t amplification, bool music,
                               bool sample) {
  DllSoundLibrary library;
  EXPECT_EQ(StartLikeTheEngine(library), (StartUp{1, 1, 1, 1, 1}));
  library.SetAmplification(amplification);
  if (music) library.StartModule(library.LoadModule("intro001.mod"), 1);
  if (sample) library.PlaySample(library.LoadSample("gun1.ulw", 7, 0), 65535, 0, 10500, 64, 0);
  Sleep(400);
  ShutDownLikeTheEngine(library);
  std::ifstream file(capture, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  const auto sounding = std::count_if(bytes.begin(), bytes.end(), [](char b) { return b != 0; });
  return {bytes.size(), static_cast<size_t>(sounding)};
}

TEST(PlayedSound, MusicAndSamplesAreHeardUnlessTheAmplificationIsZero) {
  const char* capture = std::getenv("ZORBULANT_TEST_CAPTURE");
  if (capture == nullptr) GTEST_SKIP() << "the run's device keeps nothing it plays";
  FreshSoundKey key;
  // A tenth of a second of 16-bit stereo at the lower mixing rate: far less
  // than the device takes while the library plays.
  constexpr size_t FewestBytes = 44100 / 10 * 4;
  const auto [taken, sounding] = Play(capture, 300, true, false);
  EXPECT_GE(taken, FewestBytes);
  // The menu music sounds from its first row on.
  if (PlaysMusic) {
    EXPECT_GT(sounding, taken / 2);
  } else {
    EXPECT_EQ(sounding, 0u);
  }
  EXPECT_GT(Play(capture, 300, false, true).second, 0u);
  const auto [silencedTaken, silencedSounding] = Play(capture, 0, true, true);
  EXPECT_GE(silencedTaken, FewestBytes);
  EXPECT_EQ(silencedSounding, 0u);
}

TEST_F(DllSoundLibraryTest, NothingWorksBeforeExportThreeOrAfterExportSeven) {
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  StartLikeTheEngine(library_);
  ASSERT_NE(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  ShutDownLikeTheEngine(library_);
  EXPECT_EQ(library_.LoadSample("gun1.ulw", 7, 0), 0u);
  EXPECT_EQ(library_.ApplyOptions(), 0u);
  // Opened again, it starts afresh.
  EXPECT_EQ(StartLikeTheEngine(library_)[1], 1u);  // apply
  EXPECT_NE(library_.LoadSample("gun1.ulw", 7, 0), 0u);
}

// Storing starts from what was stored, under the machine's root alone. The
// dialog comes only when asked for; without a display what was there stays.
TEST_F(DllSoundLibraryTest, StoresItsSetUpUnderTheMachinesKeyWithTheDialogsChoice) {
  library_.Open();
  library_.SaveSetup(0x80000001, SoundEngineKey);  // HKEY_CURRENT_USER
  EXPECT_EQ(Stored("MixingRate", HKEY_CURRENT_USER), std::nullopt);
  EXPECT_EQ(Stored("MixingRate"), std::nullopt);
  Store("MixingRate", 44100);
  DialogDriver unasked({.button = IDCANCEL});
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(unasked.Finish(), std::nullopt);
  EXPECT_EQ(Stored("MixingRate"), 44100u);
  EXPECT_EQ(Stored("BufferFrames"), SoundSetup{}.bufferFrames);

  const bool display = WindowsCanBeShown();
  DialogDriver player({.picks = {std::nullopt, 1, 2}, .button = IDOK});
  library_.RunSetup();
  library_.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(player.Finish().has_value(), display);
  EXPECT_EQ(Stored("MixingRate"), display ? 48000u : 44100u);
  EXPECT_EQ(Stored("BufferFrames"), display ? 1024u : SoundSetup{}.bufferFrames);
}

// A library that is missing, or lacks exports (SNDPART.DLL has export 3 alone,
// which would succeed), is let go of at once: every call does nothing, every
// result is 0, and the engine stays silent. A whole one is held for the
// loader's life.
TEST(DllSoundLibraryLoading, OnlyAWholeLibraryIsHeldAndUsed) {
  {
    DllSoundLibrary library;
    EXPECT_NE(GetModuleHandleA(sndlib::FileName), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA(sndlib::FileName), nullptr);
  ASSERT_NE(GetFileAttributesA("SNDPART.DLL"), INVALID_FILE_ATTRIBUTES);
  for (const char* file : {"NOSNDLIB.DLL", "SNDPART.DLL"}) {
    SCOPED_TRACE(file);
    FreshSoundKey key;
    DllSoundLibrary library(file);
    EXPECT_EQ(GetModuleHandleA(file), nullptr);
    EXPECT_EQ(StartLikeTheEngine(library), StartUp{});
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
    EXPECT_EQ(Stored("MixingRate"), std::nullopt);
  }
}

}  // namespace
}  // namespace zorbulant::testing
