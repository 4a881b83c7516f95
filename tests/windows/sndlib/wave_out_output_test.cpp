// The waveOut output: it opens the devices it names, renders whole buffers
// through its source on its own thread, keeps still while locked, and stops
// for good at Close. Without a device it does not open.
#include "platform/win32/sndlib/wave_out_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>

#include "test_environment.h"

namespace zorbulant::testing {
namespace {

// Far beyond what a few buffers take to play; reached only when the output
// has stopped pulling.
constexpr auto PatientWait = std::chrono::seconds(20);
// Long enough for several buffers of the sizes below to play.
constexpr DWORD SeveralBuffers = 150;
constexpr uint32_t Rate = 48000;
constexpr uint32_t Frames = 256;

class CountingSource final : public AudioSource {
 public:
  void Render(std::span<int16_t> frames) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++renders_;
      if (frames.size() != size_t{Frames} * 2) ++wrongSizes_;
    }
    rendered_.notify_all();
  }

  size_t Renders() {
    std::lock_guard<std::mutex> lock(mutex_);
    return renders_;
  }
  size_t WrongSizes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return wrongSizes_;
  }
  bool WaitFor(size_t renders) {
    std::unique_lock<std::mutex> lock(mutex_);
    return rendered_.wait_for(lock, PatientWait, [&] { return renders_ >= renders; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable rendered_;
  size_t renders_ = 0;
  size_t wrongSizes_ = 0;
};

class WaveOutWithDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!AudioDevicePresent()) GTEST_SKIP() << "no output device";
  }
  WaveOutOutput output_;
  CountingSource source_;
};

TEST_F(WaveOutWithDeviceTest, RendersWholeBuffersAgainAndAgain) {
  ASSERT_TRUE(output_.Open("", Rate, Frames, source_));
  // Every buffer played and refilled twice over.
  EXPECT_TRUE(source_.WaitFor(3 * WaveOutOutput::BufferCount));
  output_.Close();
  EXPECT_EQ(source_.WrongSizes(), 0u);
}

TEST_F(WaveOutWithDeviceTest, EveryNamedDeviceOpens) {
  const std::vector<std::string> names = output_.DeviceNames();
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    CountingSource source;
    EXPECT_TRUE(output_.Open(name, Rate, Frames, source)) << name;
    EXPECT_TRUE(source.WaitFor(WaveOutOutput::BufferCount + 1)) << name;
    output_.Close();
  }
}

TEST_F(WaveOutWithDeviceTest, NothingIsRenderedWhileLocked) {
  ASSERT_TRUE(output_.Open("", Rate, Frames, source_));
  ASSERT_TRUE(source_.WaitFor(WaveOutOutput::BufferCount + 1));
  output_.Lock();
  const size_t before = source_.Renders();
  Sleep(SeveralBuffers);
  EXPECT_EQ(source_.Renders(), before);
  output_.Unlock();
  EXPECT_TRUE(source_.WaitFor(before + 1));
}

TEST_F(WaveOutWithDeviceTest, CloseStopsRenderingAndOpenStartsAgain) {
  ASSERT_TRUE(output_.Open("", Rate, Frames, source_));
  ASSERT_TRUE(source_.WaitFor(WaveOutOutput::BufferCount + 1));
  output_.Close();
  const size_t closed = source_.Renders();
  Sleep(SeveralBuffers);
  EXPECT_EQ(source_.Renders(), closed);

  ASSERT_TRUE(output_.Open("", Rate, Frames, source_));
  EXPECT_TRUE(source_.WaitFor(closed + WaveOutOutput::BufferCount + 1));
}

TEST(WaveOutWithoutDevice, TheDefaultDoesNotOpen) {
  if (AudioDevicePresent()) GTEST_SKIP() << "an output device is there";
  WaveOutOutput output;
  CountingSource source;
  EXPECT_TRUE(output.DeviceNames().empty());
  EXPECT_FALSE(output.Open("", Rate, Frames, source));
  Sleep(SeveralBuffers);
  EXPECT_EQ(source.Renders(), 0u);
}

TEST(WaveOutOutput, ADeviceThatIsNotThereDoesNotOpen) {
  WaveOutOutput output;
  CountingSource source;
  EXPECT_FALSE(output.Open("No such device", Rate, Frames, source));
  EXPECT_FALSE(output.Open("", Rate, 0, source));
  Sleep(SeveralBuffers);
  EXPECT_EQ(source.Renders(), 0u);
}

}  // namespace
}  // namespace zorbulant::testing
