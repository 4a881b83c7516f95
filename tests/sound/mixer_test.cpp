// The mixer: resampling with interpolation, volume, the stereo position, the
// echo, amplification and clipping, voice stealing and the music underneath.
#include "sound/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace zorbulant {
namespace {

constexpr uint32_t Rate = 48000;
constexpr int32_t FullLeft = 64;
constexpr int32_t FullRight = -64;

std::vector<int16_t> Constant(size_t length, int16_t value) {
  return std::vector<int16_t>(length, value);
}

struct Output {
  std::vector<int16_t> left;
  std::vector<int16_t> right;
};

Output Render(Mixer& mixer, size_t frames, const std::vector<int16_t>& music = {}) {
  std::vector<int16_t> out(frames * 2);
  mixer.Render(out, music);
  Output split;
  for (size_t i = 0; i < frames; ++i) {
    split.left.push_back(out[2 * i]);
    split.right.push_back(out[2 * i + 1]);
  }
  return split;
}

size_t CountNonZero(const std::vector<int16_t>& channel) {
  size_t count = 0;
  for (const int16_t value : channel) count += value != 0;
  return count;
}

size_t FirstNonZero(const std::vector<int16_t>& channel) {
  for (size_t i = 0; i < channel.size(); ++i) {
    if (channel[i] != 0) return i;
  }
  return channel.size();
}

Mixer WithVoices(uint32_t voices = 16) {
  Mixer mixer(Rate);
  mixer.SetVoiceCount(voices);
  return mixer;
}

// One frame of `value` at `panning` and `volume`, as each side hears it.
Output OneFrame(int16_t value, int32_t panning, uint32_t volume = 64) {
  Mixer mixer = WithVoices();
  const std::vector<int16_t> sample = Constant(4, value);
  mixer.Play(1, sample, Rate, volume, panning);
  return Render(mixer, 1);
}

TEST(MixerRateTest, ASampleLastsInverselyToItsRate) {
  const std::vector<int16_t> sample = Constant(100, 1000);
  for (const uint32_t rate : {Rate, Rate / 2, Rate * 2, Rate / 4}) {
    Mixer mixer = WithVoices();
    mixer.Play(1, sample, rate, 64, FullLeft);
    const Output out = Render(mixer, 1000);
    EXPECT_EQ(CountNonZero(out.left), sample.size() * Rate / rate) << rate;
    EXPECT_EQ(FirstNonZero(out.left), 0u) << "starts with the next frame rendered";
  }
}

TEST(MixerRateTest, HalfRateInterpolatesARampIntoARampAndHoldsTheLastFrame) {
  std::vector<int16_t> ramp;
  for (int16_t i = 0; i <= 100; ++i) ramp.push_back(static_cast<int16_t>(i * 64));
  Mixer mixer = WithVoices();
  mixer.Play(1, ramp, Rate / 2, 64, FullLeft);
  const Output out = Render(mixer, 2 * ramp.size() + 10);
  for (size_t frame = 0; frame + 2 < 2 * ramp.size(); ++frame) {
    ASSERT_EQ(out.left[frame], static_cast<int16_t>(frame * 32)) << frame;
  }
  // The position between the last frame and the end holds the last value.
  EXPECT_EQ(out.left[2 * ramp.size() - 1], ramp.back());
  EXPECT_EQ(out.left[2 * ramp.size()], 0);
}

TEST(MixerRateTest, OddRatesStayWithinTheSampleAndEndOnTime) {
  // 11025 and 10525 are the game's usual rates; the position must never read
  // past the sample, whatever the rounding of the step.
  std::vector<int16_t> ramp;
  for (int16_t i = 1; i <= 300; ++i) ramp.push_back(static_cast<int16_t>(i * 100));
  for (const uint32_t rate : {11025u, 10525u, 30000u, 22025u}) {
    Mixer mixer = WithVoices();
    mixer.Play(1, ramp, rate, 64, FullLeft);
    const Output out = Render(mixer, 2000);
    const double expected = static_cast<double>(ramp.size()) * Rate / rate;
    EXPECT_NEAR(static_cast<double>(CountNonZero(out.left)), expected, 1.0) << rate;
    for (const int16_t value : out.left) {
      EXPECT_GE(value, 0);
      EXPECT_LE(value, ramp.back());
    }
  }
}

TEST(MixerRateTest, NothingPlaysAtRateZeroOrFromAnEmptySample) {
  Mixer mixer = WithVoices();
  const std::vector<int16_t> sample = Constant(10, 1000);
  mixer.Play(1, sample, 0, 64, 0);
  mixer.Play(2, std::span<const int16_t>(), Rate, 64, 0);
  const Output out = Render(mixer, 20);
  EXPECT_EQ(CountNonZero(out.left) + CountNonZero(out.right), 0u);
}

TEST(MixerVolumeTest, VolumeScalesLinearlyUpTo64) {
  const int16_t value = 20000;
  EXPECT_EQ(OneFrame(value, FullLeft, 64).left[0], value);
  EXPECT_EQ(OneFrame(value, FullLeft, 32).left[0], value / 2);
  EXPECT_EQ(OneFrame(value, FullLeft, 16).left[0], value / 4);
  EXPECT_EQ(OneFrame(value, FullLeft, 0).left[0], 0);
  EXPECT_EQ(OneFrame(value, FullLeft, 1000).left[0], value) << "above 64 counts as 64";
}

TEST(MixerPanningTest, TheCentreIsEqualOnBothSidesAtConstantPower) {
  const int16_t value = 20000;
  const Output centre = OneFrame(value, 0);
  EXPECT_EQ(centre.left[0], centre.right[0]);
  EXPECT_EQ(centre.left[0], std::lround(value * std::cos(std::numbers::pi / 4)));
}

TEST(MixerPanningTest, PositiveIsLeftNegativeIsRightAndTheyMirror) {
  const int16_t value = 20000;
  for (int32_t columns = 1; columns <= 12; ++columns) {
    const Output left = OneFrame(value, columns);
    const Output right = OneFrame(value, -columns);
    EXPECT_GT(left.left[0], left.right[0]) << columns;
    EXPECT_EQ(left.left[0], right.right[0]) << columns;
    EXPECT_EQ(left.right[0], right.left[0]) << columns;
    // Loudness stays while the sound moves.
    const double power = std::hypot(left.left[0], left.right[0]);
    EXPECT_NEAR(power, value, 2.0) << columns;
  }
}

TEST(MixerPanningTest, TheSoundMovesOverAScreenWidthThenStaysAtTheSide) {
  const int16_t value = 20000;
  int16_t previous = OneFrame(value, 0).right[0];
  for (int32_t columns = 1; columns <= Mixer::ColumnsToSide; ++columns) {
    const int16_t right = OneFrame(value, columns).right[0];
    EXPECT_LT(right, previous) << columns;
    previous = right;
  }
  EXPECT_EQ(previous, 0) << "fully left at a screen's width";
  for (const int32_t far : {Mixer::ColumnsToSide + 1, 40, FullLeft, 127, 200}) {
    const Output out = OneFrame(value, far);
    EXPECT_EQ(out.left[0], value) << far;
    EXPECT_EQ(out.right[0], 0) << far;
  }
  for (const int32_t far : {-40, FullRight, -128}) {
    const Output out = OneFrame(value, far);
    EXPECT_EQ(out.left[0], 0) << far;
    EXPECT_EQ(out.right[0], value) << far;
  }
}

TEST(MixerEchoTest, TheEchoStartsLaterOnEachSideAndQuieterThanTheCentre) {
  const int16_t value = 20000;
  const std::vector<int16_t> sample = Constant(200, value);
  Mixer mixer = WithVoices();
  mixer.Play(1, sample, Rate, 64, Mixer::EchoPanning);
  const Output out = Render(mixer, Rate / 5);
  const size_t leftStart = Mixer::EchoLeftMilliseconds * Rate / 1000;
  const size_t rightStart = Mixer::EchoRightMilliseconds * Rate / 1000;
  ASSERT_NE(leftStart, rightStart) << "the two sides start apart: a wide copy";
  EXPECT_EQ(FirstNonZero(out.left), leftStart);
  EXPECT_EQ(FirstNonZero(out.right), rightStart);
  EXPECT_EQ(CountNonZero(out.left), sample.size());
  EXPECT_EQ(CountNonZero(out.right), sample.size());
  const int16_t centre = OneFrame(value, 0).left[0];
  EXPECT_EQ(out.left[leftStart], out.right[rightStart]);
  EXPECT_EQ(out.left[leftStart], std::lround(centre * Mixer::EchoLevel));
}

TEST(MixerEchoTest, PlayingTwiceWithTheEchoIsNotJustLouder) {
  // The game's pattern: the sample at the centre, then again as the echo.
  const int16_t value = 10000;
  const std::vector<int16_t> sample = Constant(480, value);
  Mixer mixer = WithVoices();
  mixer.Play(1, sample, Rate, 64, 0);
  mixer.Play(1, sample, Rate, 64, Mixer::EchoPanning);
  const Output out = Render(mixer, Rate / 5);
  const int16_t single = OneFrame(value, 0).left[0];
  EXPECT_EQ(out.left[0], single) << "the first sound is heard alone";
  EXPECT_EQ(out.right[0], single);
  const size_t echoStart = Mixer::EchoLeftMilliseconds * Rate / 1000;
  EXPECT_GT(echoStart, sample.size()) << "the echo comes after a short sound has ended";
  EXPECT_LT(out.left[echoStart], single);
}

TEST(MixerAmplificationTest, GainIsAmplificationOver300) {
  const int16_t value = 12000;
  const std::vector<int16_t> sample = Constant(4, value);
  for (const uint32_t amplification : {0u, 150u, 300u, 500u, 511u}) {
    Mixer mixer = WithVoices();
    mixer.SetAmplification(amplification);
    mixer.Play(1, sample, Rate, 64, FullLeft);
    const Output out = Render(mixer, 1);
    EXPECT_EQ(out.left[0], std::lround(value * amplification / 300.0)) << amplification;
  }
}

TEST(MixerAmplificationTest, ChangesTakeEffectAtTheNextFrame) {
  const std::vector<int16_t> sample = Constant(10, 9000);
  Mixer mixer = WithVoices();
  mixer.Play(1, sample, Rate, 64, FullLeft);
  const Output before = Render(mixer, 1);
  mixer.SetAmplification(0);
  const Output silent = Render(mixer, 1);
  mixer.SetAmplification(450);
  const Output louder = Render(mixer, 1);
  EXPECT_EQ(before.left[0], 9000);
  EXPECT_EQ(silent.left[0], 0);
  EXPECT_EQ(louder.left[0], 13500);
}

TEST(MixerAmplificationTest, SumsBeyondFullScaleClipInsteadOfWrapping) {
  for (const int16_t value : {int16_t{32767}, int16_t{-32768}}) {
    const std::vector<int16_t> sample = Constant(4, value);
    Mixer mixer = WithVoices();
    mixer.SetAmplification(511);
    mixer.Play(1, sample, Rate, 64, FullLeft);
    mixer.Play(2, sample, Rate, 64, FullLeft);
    const Output out = Render(mixer, 1);
    EXPECT_EQ(out.left[0], value) << value;
  }
}

TEST(MixerVoicesTest, WithEveryVoiceBusyTheOldestGivesWay) {
  Mixer mixer = WithVoices(2);
  const std::vector<int16_t> first = Constant(1000, 1000);
  const std::vector<int16_t> second = Constant(1000, 2000);
  const std::vector<int16_t> third = Constant(1000, 4000);
  mixer.Play(1, first, Rate, 64, FullLeft);
  mixer.Play(2, second, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 3000);
  mixer.Play(3, third, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 6000);
  // The second is now the oldest.
  mixer.Play(1, first, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 5000);
}

TEST(MixerVoicesTest, AFinishedVoiceIsTakenBeforeAnyIsStolen) {
  Mixer mixer = WithVoices(2);
  const std::vector<int16_t> shortSample = Constant(2, 1000);
  const std::vector<int16_t> longSample = Constant(1000, 2000);
  mixer.Play(1, shortSample, Rate, 64, FullLeft);
  mixer.Play(2, longSample, Rate, 64, FullLeft);
  Render(mixer, 4);
  mixer.Play(3, longSample, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 4000) << "both long samples play";
}

TEST(MixerVoicesTest, SixteenVoicesPlayTogether) {
  Mixer mixer = WithVoices(16);
  const std::vector<int16_t> sample = Constant(100, 100);
  for (uint32_t voice = 0; voice < 16; ++voice) mixer.Play(voice + 1, sample, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 1600);
  mixer.Play(17, sample, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 1600) << "the seventeenth replaces the first";
}

TEST(MixerVoicesTest, StoppingASourceEndsOnlyItsVoices) {
  Mixer mixer = WithVoices();
  const std::vector<int16_t> a = Constant(100, 1000);
  const std::vector<int16_t> b = Constant(100, 2000);
  mixer.Play(1, a, Rate, 64, FullLeft);
  mixer.Play(1, a, Rate, 64, FullLeft);
  mixer.Play(2, b, Rate, 64, FullLeft);
  mixer.StopSource(1);
  EXPECT_EQ(Render(mixer, 1).left[0], 2000);
}

TEST(MixerVoicesTest, WithoutVoicesNothingPlays) {
  Mixer mixer(Rate);
  const std::vector<int16_t> sample = Constant(10, 1000);
  mixer.Play(1, sample, Rate, 64, FullLeft);
  EXPECT_EQ(Render(mixer, 1).left[0], 0);
}

TEST(MixerMusicTest, MusicLiesUnderTheSamplesAtItsVolumeAndIsAmplifiedToo) {
  Mixer mixer = WithVoices();
  mixer.SetMusicVolume(40);
  std::vector<int16_t> music;
  for (int i = 0; i < 4; ++i) {
    music.push_back(6400);
    music.push_back(-3200);
  }
  const std::vector<int16_t> sample = Constant(10, 1000);
  mixer.Play(1, sample, Rate, 64, FullLeft);
  const Output out = Render(mixer, 4, music);
  EXPECT_EQ(out.left[0], 6400 * 40 / 64 + 1000);
  EXPECT_EQ(out.right[0], -3200 * 40 / 64);
  mixer.SetAmplification(600);
  const Output doubled = Render(mixer, 1, std::vector<int16_t>(music.begin(), music.begin() + 2));
  EXPECT_EQ(doubled.right[0], -3200 * 40 / 64 * 2);
}

}  // namespace
}  // namespace zorbulant
