// The waveOut output: it opens the devices it names, renders whole buffers
// through its source on its own thread, keeps still while locked, and stops
// for good at Close. What is not there does not open.
#include "platform/win32/sndlib/wave_out_output.h"

#include <gtest/gtest.h>

#include <atomic>

#include "test_environment.h"

namespace zorbulant::testing {
namespace {

// Long enough for several buffers of the sizes below to play.
constexpr DWORD SeveralBuffers = 150;
constexpr uint32_t Rate = 48000;
constexpr uint32_t Frames = 256;
constexpr size_t Buffers = WaveOutOutput::BufferCount;

struct CountingSource final : AudioSource {
  void Render(std::span<int16_t> frames) override {
    if (frames.size() != size_t{Frames} * 2) ++wrongSizes;
    ++renders;
  }
  // Far beyond what a few buffers take to play: false only when the output
  // has stopped pulling.
  bool WaitFor(size_t count) const {
    for (int waited = 0; renders < count; waited += 5) {
      if (waited >= 20'000) return false;
      Sleep(5);
    }
    return true;
  }

  std::atomic<size_t> renders = 0;
  std::atomic<size_t> wrongSizes = 0;
};

TEST(WaveOutOutput, EveryDeviceRendersWholeBuffersAgainAndAgain) {
  if (!AudioDevicePresent()) GTEST_SKIP() << "no output device";
  WaveOutOutput output;
  std::vector<std::string> names = output.DeviceNames();
  ASSERT_FALSE(names.empty());
  names.push_back("");  // the system's default
  for (const std::string& name : names) {
    CountingSource source;
    ASSERT_TRUE(output.Open(name, Rate, Frames, source)) << name;
    // Every buffer played and refilled twice over.
    EXPECT_TRUE(source.WaitFor(3 * Buffers)) << name;
    output.Close();
    EXPECT_EQ(source.wrongSizes.load(), 0u) << name;
  }
}

TEST(WaveOutOutput, NothingIsRenderedWhileLockedOrAfterCloseUntilTheNextOpen) {
  if (!AudioDevicePresent()) GTEST_SKIP() << "no output device";
  WaveOutOutput output;
  CountingSource source;
  ASSERT_TRUE(output.Open("", Rate, Frames, source));
  ASSERT_TRUE(source.WaitFor(Buffers + 1));
  output.Lock();
  const size_t locked = source.renders;
  Sleep(SeveralBuffers);
  EXPECT_EQ(source.renders.load(), locked);
  output.Unlock();
  EXPECT_TRUE(source.WaitFor(locked + 1));

  output.Close();
  const size_t closed = source.renders;
  Sleep(SeveralBuffers);
  EXPECT_EQ(source.renders.load(), closed);
  ASSERT_TRUE(output.Open("", Rate, Frames, source));
  EXPECT_TRUE(source.WaitFor(closed + Buffers + 1));
}

TEST(WaveOutOutput, WhatIsNotThereDoesNotOpen) {
  WaveOutOutput output;
  CountingSource source;
  EXPECT_FALSE(output.Open("No such device", Rate, Frames, source));
  EXPECT_FALSE(output.Open("", Rate, 0, source));
  // Without a device, not even the system's default.
  if (!AudioDevicePresent()) {
    EXPECT_FALSE(output.Open("", Rate, Frames, source));
  }
  Sleep(SeveralBuffers);
  EXPECT_EQ(source.renders.load(), 0u);
}

}  // namespace
}  // namespace zorbulant::testing
