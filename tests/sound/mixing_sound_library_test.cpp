// The sound library as the game calls it: the start-up steps and what they
// take, sample and module handles (failed ones included), playing through the
// output, amplification, the silent library, and the set-up kept in the
// settings store.
#include "sound/mixing_sound_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "platform/files/local_files.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/xmp/xmp_module_player.h"
#include "sound/sample_formats.h"
#include "sound/sound_engine.h"
#include "support/memory_files.h"
#include "support/mod_writer.h"
#include "support/pulled_audio_output.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

using testing::MemoryFiles;
using testing::PulledAudioOutput;

// A module whose music is one constant level: the file "LEVEL" and the level
// as two bytes, little-endian. Anything else is no module.
class LevelModulePlayer final : public ModulePlayer {
 public:
  bool Load(std::span<const uint8_t> bytes) override {
    if (bytes.size() != 7 || std::memcmp(bytes.data(), "LEVEL", 5) != 0) return false;
    level_ = static_cast<int16_t>(bytes[5] | bytes[6] << 8);
    return true;
  }
  bool Start(uint32_t) override {
    playing_ = true;
    return true;
  }
  void Render(std::span<int16_t> frames) override {
    for (int16_t& value : frames) value = playing_ ? level_ : int16_t{0};
  }
  void Stop() override { playing_ = false; }

 private:
  int16_t level_ = 0;
  bool playing_ = false;
};

std::vector<uint8_t> LevelModule(int16_t level) {
  const uint16_t bits = static_cast<uint16_t>(level);
  return {'L', 'E', 'V', 'E', 'L', static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8)};
}

ModulePlayerFactory LevelModules() {
  return [] { return std::make_unique<LevelModulePlayer>(); };
}

// A mu-law file of `length` frames of one code.
std::vector<uint8_t> MuLawFile(size_t length, uint8_t code) {
  return std::vector<uint8_t>(length, code);
}

std::vector<uint8_t> MonoWav16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> bytes;
  auto put = [&bytes](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  auto tag = [&bytes](const char* text) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(text[i]));
  };
  const uint32_t dataSize = static_cast<uint32_t>(values.size() * 2);
  tag("RIFF");
  put(36 + dataSize, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(11025, 4);
  put(22050, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(dataSize, 4);
  for (const int16_t value : values) put(static_cast<uint16_t>(value), 2);
  return bytes;
}

constexpr uint32_t Left = 64;
constexpr uint32_t Whole = 65535;

class MixingSoundLibraryTest : public ::testing::Test {
 protected:
  // The start-up steps with the game's own values, as the sound engine makes
  // them; true when every step that reports succeeded with exactly 1.
  static bool StartLikeTheGame(MixingSoundLibrary& library) {
    bool started = library.Open() == 1;
    library.SetOption(11, 1);
    library.SetOption(3, 250);
    library.SetOption(6, 0x10001);
    library.SetOption(5, 1);
    library.LoadSetup(HkeyLocalMachine, SoundEngineKey);
    started = started && library.ApplyOptions() == 1;
    library.SetAmplification(300);
    started = started && library.OpenOutput(0) == 1;
    started = started && library.StartMixer(40) == 1;
    return started && library.OpenSampleVoices(16) == 1;
  }

  MixingSoundLibrary& Library(ModulePlayerFactory players = LevelModules()) {
    library_ = std::make_unique<MixingSoundLibrary>(files_, store_, &output_, std::move(players));
    return *library_;
  }
  MixingSoundLibrary& Started(ModulePlayerFactory players = LevelModules()) {
    MixingSoundLibrary& library = Library(std::move(players));
    EXPECT_TRUE(StartLikeTheGame(library));
    return library;
  }

  // The left channel of the next `frames` frames.
  std::vector<int16_t> PullLeft(size_t frames) {
    const std::vector<int16_t> stereo = output_.Pull(frames);
    std::vector<int16_t> left;
    for (size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
    return left;
  }
  bool Silent(size_t frames) {
    for (const int16_t value : output_.Pull(frames)) {
      if (value != 0) return false;
    }
    return true;
  }

  MemoryFiles files_;
  MemorySettingsStore store_;
  PulledAudioOutput output_;
  std::unique_ptr<MixingSoundLibrary> library_;
};

// --- Start-up and shutdown ---

TEST_F(MixingSoundLibraryTest, TheGamesStartUpSucceedsAndOpensTheOutputAsSetUp) {
  Started();
  EXPECT_TRUE(output_.open);
  EXPECT_EQ(output_.openedDevice, "");
  EXPECT_EQ(output_.rate, SoundSetup{}.mixingRate);
  EXPECT_EQ(output_.bufferFrames, SoundSetup{}.bufferFrames);
  EXPECT_TRUE(Silent(64)) << "nothing plays yet";
}

TEST_F(MixingSoundLibraryTest, StepsOutOfOrderFail) {
  MixingSoundLibrary& library = Library();
  EXPECT_EQ(library.ApplyOptions(), 0u) << "6 before 3";
  ASSERT_EQ(library.Open(), 1u);
  EXPECT_EQ(library.OpenOutput(0), 0u) << "21 before 6";
  EXPECT_EQ(library.StartMixer(40), 0u) << "11 before 21";
  EXPECT_EQ(library.OpenSampleVoices(16), 0u) << "31 before 11";
  EXPECT_FALSE(output_.open);
}

TEST_F(MixingSoundLibraryTest, StepsFailOnValuesTheLibraryDoesNotOffer) {
  auto applyWith = [this](uint32_t setting, uint32_t value) {
    MixingSoundLibrary& library = Library();
    library.Open();
    library.SetOption(setting, value);
    return library.ApplyOptions();
  };
  EXPECT_EQ(applyWith(11, 0), 0u) << "mono";
  EXPECT_EQ(applyWith(5, 0), 0u) << "no interpolation";
  EXPECT_EQ(applyWith(6, 12345), 1u) << "any window";
  EXPECT_EQ(applyWith(99, 7), 1u) << "unknown settings are passed over";

  MixingSoundLibrary& library = Library();
  library.Open();
  ASSERT_EQ(library.ApplyOptions(), 1u);
  EXPECT_EQ(library.OpenOutput(1), 0u) << "0 is the only output";
  ASSERT_EQ(library.OpenOutput(0), 1u);
  EXPECT_EQ(library.StartMixer(65), 0u) << "music above 64";
  ASSERT_EQ(library.StartMixer(64), 1u);
  EXPECT_EQ(library.OpenSampleVoices(0), 0u);
  EXPECT_EQ(library.OpenSampleVoices(Mixer::MaxVoices + 1), 0u);
  EXPECT_EQ(library.OpenSampleVoices(Mixer::MaxVoices), 1u);
}

TEST_F(MixingSoundLibraryTest, WithoutAnAudioDeviceOpeningTheOutputFailsHarmlessly) {
  output_.missing = {""};
  MixingSoundLibrary& library = Library();
  library.Open();
  ASSERT_EQ(library.ApplyOptions(), 1u);
  EXPECT_EQ(library.OpenOutput(0), 0u);
  // The sound engine's undo chain from there.
  library.CloseOutput();
  library.Close();
  EXPECT_FALSE(output_.open);
}

TEST_F(MixingSoundLibraryTest, ASetUpDeviceThatIsGoneGivesWayToTheDefault) {
  SoundSetup setup;
  setup.device = "Unplugged";
  SaveSoundSetup(store_, SoundEngineKey, setup);
  output_.missing = {"Unplugged"};
  Started();
  EXPECT_TRUE(output_.open);
  EXPECT_EQ(output_.openedDevice, "");
}

TEST_F(MixingSoundLibraryTest, ClosingAfterAFailedStartAndClosingTwiceAreHarmless) {
  MixingSoundLibrary& library = Library();
  library.Close();
  library.Open();
  library.SetOption(11, 2);
  EXPECT_EQ(library.ApplyOptions(), 0u);
  library.Close();
  library.Close();
  EXPECT_FALSE(output_.open);
}

TEST_F(MixingSoundLibraryTest, ShutdownStopsEverythingAndFreesEveryHandle) {
  files_.Add("gun1.ulw", MuLawFile(1000, 0x80));
  files_.Add("intro001.mod", LevelModule(1000));
  MixingSoundLibrary& library = Started();
  const uint32_t sample = library.LoadSample("gun1.ulw", 7, 0);
  const uint32_t module = library.LoadModule("intro001.mod");
  library.StartModule(module, 1);
  library.PlaySample(sample, Whole, 0, 48000, 64, 0);
  library.CloseSampleVoices();
  library.StopMixer();
  library.CloseOutput();
  library.Close();
  EXPECT_FALSE(output_.open);

  ASSERT_TRUE(StartLikeTheGame(library));
  library.PlaySample(sample, Whole, 0, 48000, 64, 0);
  EXPECT_EQ(library.StartModule(module, 1), 0u);
  EXPECT_TRUE(Silent(64)) << "the old handles are gone";
}

// --- Samples ---

TEST_F(MixingSoundLibraryTest, ALoadedSamplePlaysThroughTheOutputAtItsRate) {
  files_.Add("GUN1.ULW", MuLawFile(100, 0x80));
  MixingSoundLibrary& library = Started();
  const uint32_t sample = library.LoadSample("gun1.ulw", 7, 0);
  ASSERT_NE(sample, 0u);
  library.PlaySample(sample, Whole, 0, output_.rate / 2, 64, Left);
  const std::vector<int16_t> left = PullLeft(300);
  for (size_t frame = 0; frame < 200; ++frame) ASSERT_EQ(left[frame], MuLawToLinear(0x80)) << frame;
  EXPECT_EQ(left[200], 0);
}

TEST_F(MixingSoundLibraryTest, LengthAndStartChooseThePartPlayed) {
  std::vector<uint8_t> bytes = MuLawFile(100, 0x80);
  std::fill(bytes.begin(), bytes.begin() + 10, 0x00);
  files_.Add("two.ulw", bytes);
  MixingSoundLibrary& library = Started();
  const uint32_t sample = library.LoadSample("two.ulw", 7, 0);
  library.PlaySample(sample, 5, 8, output_.rate, 64, Left);
  const std::vector<int16_t> left = PullLeft(8);
  EXPECT_EQ(left,
            (std::vector<int16_t>{MuLawToLinear(0x00), MuLawToLinear(0x00), MuLawToLinear(0x80),
                                  MuLawToLinear(0x80), MuLawToLinear(0x80), 0, 0, 0}));
  library.PlaySample(sample, 5, 100, output_.rate, 64, Left);
  EXPECT_TRUE(Silent(8)) << "a start beyond the end plays nothing";
}

TEST_F(MixingSoundLibraryTest, LevelSamplesAreWaveFiles) {
  files_.Add("snd1aaa.wav", MonoWav16({3000, 3000, 3000, 3000}));
  files_.Add("snd2aaa.wav", MuLawFile(100, 0x80));
  MixingSoundLibrary& library = Started();
  const uint32_t level = library.LoadLevelSample("snd1aaa.wav", 0);
  ASSERT_NE(level, 0u);
  EXPECT_EQ(library.LoadLevelSample("snd2aaa.wav", 0), 0u) << "mu-law is no wave file";
  library.PlaySample(level, Whole, 0, output_.rate, 64, Left);
  EXPECT_EQ(PullLeft(5), (std::vector<int16_t>{3000, 3000, 3000, 3000, 0}));
}

TEST_F(MixingSoundLibraryTest, FailedLoadsGiveAHandleThatIsHarmlessEverywhere) {
  files_.Add("bad.wav", {'R', 'I', 'F', 'F', 0, 0});
  files_.Add("fine.ulw", MuLawFile(10, 0x80));
  MixingSoundLibrary& library = Started();
  const uint32_t failed[] = {
      library.LoadSample("missing.ulw", 7, 0),
      library.LoadSample("fine.ulw", 8, 0),  // a format code that is not mu-law
      library.LoadLevelSample("bad.wav", 0), library.LoadLevelSample("missing.wav", 0),
      library.LoadSample(nullptr, 7, 0)};
  for (const uint32_t handle : failed) {
    EXPECT_EQ(handle, 0u);
    library.PlaySample(handle, Whole, 0, 11025, 64, 0);
    library.FreeSample(handle);
    library.FreeSample(handle);
  }
  library.PlaySample(12345, Whole, 0, 11025, 64, 0);
  EXPECT_TRUE(Silent(256));
  EXPECT_EQ(files_.OpenCount(), 0u) << "every file opened was closed";
}

TEST_F(MixingSoundLibraryTest, EmptyFilesLoadNothing) {
  testing::TempDirectory directory;
  for (const char* name : {"empty.ulw", "empty.wav", "empty.mod"}) {
    directory.Write(name, std::vector<uint8_t>{});
  }
  LocalFiles files(directory.path());
  MixingSoundLibrary library(files, store_, &output_, MakeXmpModulePlayer);
  ASSERT_TRUE(StartLikeTheGame(library));
  EXPECT_EQ(library.LoadSample("empty.ulw", 7, 0), 0u);
  EXPECT_EQ(library.LoadLevelSample("empty.wav", 0), 0u);
  EXPECT_EQ(library.LoadModule("empty.mod"), 0u);
}

TEST_F(MixingSoundLibraryTest, FreeingASampleSilencesItAndASecondFreeIsHarmless) {
  files_.Add("a.ulw", MuLawFile(1000, 0xA0));
  files_.Add("b.ulw", MuLawFile(1000, 0xB0));
  MixingSoundLibrary& library = Started();
  const uint32_t a = library.LoadSample("a.ulw", 7, 0);
  const uint32_t b = library.LoadSample("b.ulw", 7, 0);
  ASSERT_NE(a, b);
  library.PlaySample(a, Whole, 0, output_.rate, 64, Left);
  library.PlaySample(b, Whole, 0, output_.rate, 64, Left);
  EXPECT_EQ(PullLeft(1)[0], MuLawToLinear(0xA0) + MuLawToLinear(0xB0));
  library.FreeSample(a);
  EXPECT_EQ(PullLeft(1)[0], MuLawToLinear(0xB0));
  library.FreeSample(a);
  library.PlaySample(a, Whole, 0, output_.rate, 64, Left);
  EXPECT_EQ(PullLeft(1)[0], MuLawToLinear(0xB0));
}

TEST_F(MixingSoundLibraryTest, TheSampleRoomOfOption3BoundsTheSamplesHeld) {
  files_.Add("s.ulw", MuLawFile(10, 0x80));
  MixingSoundLibrary& library = Library();
  library.Open();
  library.SetOption(3, 2);
  ASSERT_EQ(library.ApplyOptions(), 1u);
  const uint32_t first = library.LoadSample("s.ulw", 7, 0);
  EXPECT_NE(first, 0u);
  EXPECT_NE(library.LoadSample("s.ulw", 7, 0), 0u);
  EXPECT_EQ(library.LoadSample("s.ulw", 7, 0), 0u);
  library.FreeSample(first);
  EXPECT_NE(library.LoadSample("s.ulw", 7, 0), 0u);
}

TEST_F(MixingSoundLibraryTest, TheGameAsksForRoomFor250Samples) {
  files_.Add("s.ulw", MuLawFile(10, 0x80));
  MixingSoundLibrary& library = Started();
  for (int i = 0; i < 250; ++i) EXPECT_NE(library.LoadSample("s.ulw", 7, 0), 0u) << i;
  EXPECT_EQ(library.LoadSample("s.ulw", 7, 0), 0u);
}

TEST_F(MixingSoundLibraryTest, AmplificationChangesAtOnceAndBeforeTheMixerStarts) {
  files_.Add("s.ulw", MuLawFile(1000, 0xC0));
  MixingSoundLibrary& library = Library();
  library.Open();
  library.ApplyOptions();
  library.SetAmplification(0);
  library.OpenOutput(0);
  library.StartMixer(40);
  library.OpenSampleVoices(16);
  const uint32_t sample = library.LoadSample("s.ulw", 7, 0);
  library.PlaySample(sample, Whole, 0, output_.rate, 64, Left);
  EXPECT_EQ(PullLeft(1)[0], 0);
  library.SetAmplification(600);
  EXPECT_EQ(PullLeft(1)[0], 2 * MuLawToLinear(0xC0));
  library.SetAmplification(300);
  EXPECT_EQ(PullLeft(1)[0], MuLawToLinear(0xC0));
}

TEST_F(MixingSoundLibraryTest, TheEchoVoiceComesLater) {
  files_.Add("gun1.ulw", MuLawFile(100, 0x80));
  MixingSoundLibrary& library = Started();
  const uint32_t sample = library.LoadSample("gun1.ulw", 7, 0);
  library.PlaySample(sample, Whole, 0, 10000, 64, 128);
  const size_t delay = Mixer::EchoLeftMilliseconds * output_.rate / 1000;
  const std::vector<int16_t> left = PullLeft(delay + 1);
  EXPECT_EQ(left[delay - 1], 0);
  EXPECT_NE(left[delay], 0);
}

// --- Music ---

TEST_F(MixingSoundLibraryTest, MusicPlaysUnderTheSamplesAtLevel40) {
  files_.Add("intro001.mod", LevelModule(6400));
  files_.Add("s.ulw", MuLawFile(10, 0xC0));
  MixingSoundLibrary& library = Started();
  const uint32_t module = library.LoadModule("Intro001.mod");
  ASSERT_NE(module, 0u);
  const uint32_t playback = library.StartModule(module, 1);
  ASSERT_NE(playback, 0u);
  EXPECT_EQ(PullLeft(1)[0], 6400 * 40 / 64);
  const uint32_t sample = library.LoadSample("s.ulw", 7, 0);
  library.PlaySample(sample, Whole, 0, output_.rate, 64, Left);
  EXPECT_EQ(PullLeft(1)[0], 6400 * 40 / 64 + MuLawToLinear(0xC0));
  library.StopPlayback(playback);
  EXPECT_EQ(PullLeft(1)[0], MuLawToLinear(0xC0));
  library.FreeModule(module);
}

TEST_F(MixingSoundLibraryTest, OneModulePlaysAtATime) {
  files_.Add("intro001.mod", LevelModule(1000));
  files_.Add("loop0001.mod", LevelModule(2000));
  MixingSoundLibrary& library = Started();
  const uint32_t first = library.LoadModule("intro001.mod");
  const uint32_t second = library.LoadModule("loop0001.mod");
  const uint32_t firstPlayback = library.StartModule(first, 1);
  const uint32_t secondPlayback = library.StartModule(second, 1);
  EXPECT_NE(firstPlayback, secondPlayback);
  EXPECT_EQ(PullLeft(1)[0], 2000 * 40 / 64);
  library.StopPlayback(firstPlayback);
  EXPECT_EQ(PullLeft(1)[0], 2000 * 40 / 64) << "a stale playback handle stops nothing";
  library.FreeModule(second);
  EXPECT_TRUE(Silent(16)) << "freeing the playing module stops it";
  EXPECT_EQ(library.StartModule(second, 1), 0u);
}

TEST_F(MixingSoundLibraryTest, FailedModuleLoadsGiveZeroAndZeroIsHarmless) {
  files_.Add("corrupt.mod", {'L', 'E', 'V'});
  MixingSoundLibrary& library = Started();
  EXPECT_EQ(library.LoadModule("missing.mod"), 0u);
  EXPECT_EQ(library.LoadModule("corrupt.mod"), 0u);
  EXPECT_EQ(library.LoadModule(nullptr), 0u);
  EXPECT_EQ(library.StartModule(0, 1), 0u);
  library.StopPlayback(0);
  library.FreeModule(0);
  library.FreeModule(0);
  EXPECT_TRUE(Silent(64));
}

TEST_F(MixingSoundLibraryTest, RealModulesPlayThroughLibxmp) {
  files_.Add("intro001.mod", testing::WriteToneModule(428, 8));
  std::vector<uint8_t> cut = testing::WriteToneModule(428, 8);
  cut.resize(600);
  files_.Add("cut.mod", cut);
  const std::string text = "Not a music module, only words.";
  files_.Add("text.mod", std::vector<uint8_t>(text.begin(), text.end()));
  MixingSoundLibrary& library = Started(MakeXmpModulePlayer);
  EXPECT_EQ(library.LoadModule("cut.mod"), 0u);
  EXPECT_EQ(library.LoadModule("text.mod"), 0u);
  const uint32_t module = library.LoadModule("intro001.mod");
  ASSERT_NE(module, 0u);
  const uint32_t playback = library.StartModule(module, 1);
  ASSERT_NE(playback, 0u);
  EXPECT_FALSE(Silent(output_.rate / 10));
  library.StopPlayback(playback);
  EXPECT_TRUE(Silent(output_.rate / 10));
  library.FreeModule(module);
}

// --- The silent library ---

TEST_F(MixingSoundLibraryTest, WithoutAnOutputEverythingWorksAndNothingIsPlayed) {
  files_.Add("gun1.ulw", MuLawFile(100, 0x80));
  files_.Add("intro001.mod", testing::WriteToneModule(428, 8));
  MixingSoundLibrary library(files_, store_, nullptr, MakeXmpModulePlayer);
  ASSERT_TRUE(StartLikeTheGame(library));
  const uint32_t sample = library.LoadSample("gun1.ulw", 7, 0);
  EXPECT_NE(sample, 0u);
  library.PlaySample(sample, Whole, 0, 10500, 64, 0);
  const uint32_t module = library.LoadModule("intro001.mod");
  EXPECT_NE(module, 0u);
  EXPECT_NE(library.StartModule(module, 1), 0u);
  EXPECT_EQ(library.LoadModule("missing.mod"), 0u);
  EXPECT_FALSE(output_.open);
  library.Close();
}

// --- The set-up ---

TEST_F(MixingSoundLibraryTest, WithoutATerminalTheStoredSetUpStaysAsItIs) {
  SoundSetup stored;
  stored.device = "Headphones";
  stored.mixingRate = 44100;
  stored.bufferFrames = 1024;
  SaveSoundSetup(store_, SoundEngineKey, stored);
  MixingSoundLibrary& library = Library();
  library.Open();
  library.RunSetup();
  library.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  SoundSetup after;
  LoadSoundSetup(store_, SoundEngineKey, after);
  EXPECT_EQ(after, stored);
}

TEST_F(MixingSoundLibraryTest, TheSetUpChosenOnTheTerminalIsStoredAndUsedFromTheNextStart) {
  output_.devices = {"Speakers", "Headphones"};
  SoundSetup stored;
  stored.mixingRate = 44100;
  SaveSoundSetup(store_, SoundEngineKey, stored);
  // The headphones, the stored rate kept, the largest buffer.
  std::istringstream answers("3\n\n4\n");
  std::ostringstream shown;
  {
    MixingSoundLibrary library(files_, store_, &output_, LevelModules(), {&answers, &shown});
    library.Open();
    library.RunSetup();
    library.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  }
  EXPECT_NE(shown.str().find("Enter keeps 44100 Hz"), std::string::npos) << shown.str();

  Started();
  EXPECT_EQ(output_.openedDevice, "Headphones");
  EXPECT_EQ(output_.rate, MixingRates[0]);
  EXPECT_EQ(output_.bufferFrames, BufferSizes[3]);
}

TEST_F(MixingSoundLibraryTest, WithoutTheSetUpSwitchNothingIsAsked) {
  std::istringstream answers("3\n1\n4\n");
  std::ostringstream shown;
  MixingSoundLibrary library(files_, store_, &output_, LevelModules(), {&answers, &shown});
  library.Open();
  library.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  EXPECT_EQ(shown.str(), "");
  SoundSetup after;
  after.bufferFrames = 2048;
  LoadSoundSetup(store_, SoundEngineKey, after);
  EXPECT_EQ(after, SoundSetup{});
}

}  // namespace
}  // namespace zorbulant
