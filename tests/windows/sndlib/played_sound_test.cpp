// What SNDLIB11.DLL sends to the output device. run_sndlib_tests.sh gives the
// run a device that writes everything it plays to a file, named to the tests
// by ZORBULANT_TEST_CAPTURE; each opening of the device starts the file anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine_steps.h"
#include "platform/win32/dll_sound_library.h"
#include "test_environment.h"

namespace zorbulant::testing {
namespace {

constexpr bool PlaysMusic = SNDLIB_PLAYS_MUSIC;
// Long enough for the device to take a good many buffers.
constexpr DWORD PlayMilliseconds = 400;
// A tenth of a second of 16-bit stereo at the lower mixing rate: far less
// than the device has taken by the time the library closes it.
constexpr size_t FewestBytes = 44100 / 10 * 4;

class PlayedSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (capture_ == nullptr) GTEST_SKIP() << "the run's device keeps nothing it plays";
    ASSERT_TRUE(AudioDevicePresent());
    ASSERT_EQ(StartLikeTheEngine(library_).voices, 1u);
  }

  // Lets the library play, closes it, and counts what the device took.
  void PlayAndClose() {
    Sleep(PlayMilliseconds);
    ShutDownLikeTheEngine(library_);
    std::ifstream file(capture_, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    taken_ = bytes.size();
    sounding_ = static_cast<size_t>(
        std::count_if(bytes.begin(), bytes.end(), [](char b) { return b != 0; }));
  }

  const char* capture_ = std::getenv("ZORBULANT_TEST_CAPTURE");
  FreshSoundKey key_;
  DllSoundLibrary library_;
  size_t taken_ = 0;
  size_t sounding_ = 0;
};

TEST_F(PlayedSoundTest, TheMusicIsHeardWhenBuiltWithMusic) {
  const uint32_t module = library_.LoadModule("intro001.mod");
  library_.StartModule(module, 1);
  PlayAndClose();
  EXPECT_GE(taken_, FewestBytes);
  if (PlaysMusic) {
    // The menu music sounds from its first row on.
    EXPECT_GT(sounding_, taken_ / 2);
  } else {
    EXPECT_EQ(sounding_, 0u);
  }
}

TEST_F(PlayedSoundTest, ASampleIsHeard) {
  library_.PlaySample(library_.LoadSample("gun1.ulw", 7, 0), 65535, 0, 10500, 64, 0);
  PlayAndClose();
  EXPECT_GT(sounding_, 0u);
}

TEST_F(PlayedSoundTest, AmplificationZeroSilencesEverything) {
  library_.SetAmplification(0);
  library_.StartModule(library_.LoadModule("intro001.mod"), 1);
  library_.PlaySample(library_.LoadSample("gun1.ulw", 7, 0), 65535, 0, 10500, 64, 0);
  PlayAndClose();
  EXPECT_GE(taken_, FewestBytes);
  EXPECT_EQ(sounding_, 0u);
}

}  // namespace
}  // namespace zorbulant::testing
