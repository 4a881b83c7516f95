// SDL's audio output on its disk driver, which writes what the device plays to
// a file: the frames arrive as the source rendered them, in the format asked
// for, the sound library changes what plays while the device's thread mixes,
// and nothing opens without SDL's audio.
#include "platform/sdl/sdl_audio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/sdl/sdl_session.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/xmp/xmp_module_player.h"
#include "sound/mixing_sound_library.h"
#include "support/memory_files.h"
#include "support/mod_writer.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

// Counts up from 1, left and right apart, so any lost, doubled or swapped
// frame shows.
class CountingSource final : public AudioSource {
 public:
  void Render(std::span<int16_t> frames) override {
    for (size_t i = 0; i + 1 < frames.size(); i += 2) {
      ++next_;
      frames[i] = static_cast<int16_t>(next_);
      frames[i + 1] = static_cast<int16_t>(-next_);
    }
    rendered_ += frames.size() / 2;
  }
  size_t Rendered() const { return rendered_; }

 private:
  int32_t next_ = 0;
  std::atomic<size_t> rendered_ = 0;
};

class SdlAudioOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (directory_.path() / "out.raw").c_str(), 1);
    setenv("DISPLAY", ":dummy", 0);
    std::string reason;
    session_ = SdlSession::Start(reason);
    ASSERT_NE(session_, nullptr) << reason;
  }
  void TearDown() override {
    session_.reset();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }

  std::vector<int16_t> Written() {
    std::ifstream file(directory_.path() / "out.raw", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  testing::TempDirectory directory_;
  std::unique_ptr<SdlSession> session_;
};

TEST_F(SdlAudioOutputTest, TheDeviceWritesWhatTheSourceRendersFrameByFrame) {
  SdlAudioOutput output;
  CountingSource source;
  ASSERT_TRUE(output.Open("", 48000, 512, source));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (source.Rendered() < 4096 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  output.Lock();
  const size_t rendered = source.Rendered();
  output.Unlock();
  output.Close();
  ASSERT_GE(rendered, 4096u);
  EXPECT_EQ(rendered % 512, 0u) << "pulled a buffer of the size asked for at a time";

  // SDL's thread may write silence before the device is unpaused, depending
  // on how the threads are scheduled; the source's frames start behind it.
  const std::vector<int16_t> written = Written();
  size_t start = 0;
  while (start < written.size() && written[start] == 0) ++start;
  ASSERT_EQ(start % 2, 0u);
  ASSERT_GE(written.size() - start, 2 * 4096u);
  for (size_t frame = 0; frame < 4096; ++frame) {
    ASSERT_EQ(written[start + 2 * frame], static_cast<int16_t>(frame + 1)) << frame;
    ASSERT_EQ(written[start + 2 * frame + 1], static_cast<int16_t>(-(frame + 1))) << frame;
  }
}

TEST_F(SdlAudioOutputTest, ClosingStopsThePullingAndCanBeRepeated) {
  SdlAudioOutput output;
  CountingSource source;
  ASSERT_TRUE(output.Open("", 44100, 256, source));
  output.Close();
  const size_t rendered = source.Rendered();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(source.Rendered(), rendered);
  output.Close();
  output.Lock();
  output.Unlock();
}

TEST_F(SdlAudioOutputTest, TheSoundLibraryChangesWhatPlaysWhileTheDevicePulls) {
  // Samples loaded, played and freed as fast as the main thread can, while the
  // device's thread mixes them: a change outside the lock shows as a read
  // of freed memory in the sanitized build.
  testing::MemoryFiles files;
  files.Add("s.ulw", std::vector<uint8_t>(4000, 0x90));
  files.Add("m.mod", testing::WriteToneModule(428, 4));
  MemorySettingsStore store;
  SdlAudioOutput output;
  {
    MixingSoundLibrary library(files, store, &output, MakeXmpModulePlayer);
    ASSERT_EQ(library.Open(), 1u);
    ASSERT_EQ(library.ApplyOptions(), 1u);
    ASSERT_EQ(library.OpenOutput(0), 1u);
    ASSERT_EQ(library.StartMixer(40), 1u);
    ASSERT_EQ(library.OpenSampleVoices(16), 1u);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    for (uint32_t round = 0; std::chrono::steady_clock::now() < end; ++round) {
      const uint32_t sample = library.LoadSample("s.ulw", 7, 0);
      library.PlaySample(sample, 65535, 0, 8000 + round % 40000, 64, round % 129);
      library.SetAmplification(round % 512);
      if (round % 64 == 0) {
        const uint32_t module = library.LoadModule("m.mod");
        library.StartModule(module, 1);
        if (round % 128 == 0) library.FreeModule(module);
      }
      library.FreeSample(sample);
    }
    library.Close();
  }
  bool sounded = false;
  for (const int16_t value : Written()) sounded = sounded || value != 0;
  EXPECT_TRUE(sounded);
}

TEST_F(SdlAudioOutputTest, NoDeviceOpensWithoutSdlsAudio) {
  session_.reset();
  SdlAudioOutput output;
  CountingSource source;
  EXPECT_FALSE(output.Open("", 48000, 512, source));
  EXPECT_TRUE(output.DeviceNames().empty());
}

}  // namespace
}  // namespace zorbulant
