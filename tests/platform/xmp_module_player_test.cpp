// Music modules through libxmp: a module made here plays at the pitch its
// notes ask for, goes on past its end, and what is no module fails to load.
#include "platform/xmp/xmp_module_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/mod_writer.h"

namespace zorbulant {
namespace {

constexpr uint32_t Rate = 48000;

std::vector<int16_t> Play(ModulePlayer& player, size_t frames) {
  std::vector<int16_t> out(frames * 2);
  player.Render(out);
  return out;
}

// Upward zero crossings of the left channel per second.
double Pitch(const std::vector<int16_t>& stereo) {
  size_t crossings = 0;
  for (size_t i = 2; i < stereo.size(); i += 2) crossings += stereo[i - 2] < 0 && stereo[i] >= 0;
  return static_cast<double>(crossings) * Rate / static_cast<double>(stereo.size() / 2);
}

int16_t Peak(const std::vector<int16_t>& stereo) {
  int16_t peak = 0;
  for (const int16_t value : stereo)
    peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(value)));
  return peak;
}

TEST(XmpModulePlayerTest, AToneModulePlaysAtItsNotesPitch) {
  for (const uint16_t period : {uint16_t{428}, uint16_t{214}}) {
    const std::unique_ptr<ModulePlayer> player = MakeXmpModulePlayer();
    ASSERT_TRUE(player->Load(testing::WriteToneModule(period, 16)));
    ASSERT_TRUE(player->Start(Rate));
    Play(*player, Rate / 10);  // past the note's start
    const double expected = testing::ToneFrequency(period, 32);
    EXPECT_NEAR(Pitch(Play(*player, Rate / 2)), expected, expected * 0.03) << period;
  }
}

TEST(XmpModulePlayerTest, TheMusicGoesOnPastTheModulesEnd) {
  const std::unique_ptr<ModulePlayer> player = MakeXmpModulePlayer();
  // Four rows at the default speed last under half a second.
  ASSERT_TRUE(player->Load(testing::WriteToneModule(428, 4)));
  ASSERT_TRUE(player->Start(Rate));
  Play(*player, 3 * Rate);
  EXPECT_GT(Peak(Play(*player, Rate / 10)), 1000);
}

TEST(XmpModulePlayerTest, AChannelOnOneSideIsHeardOnTheOtherToo) {
  // The tone plays on channel 0, which Amiga modules put on the left.
  const std::unique_ptr<ModulePlayer> player = MakeXmpModulePlayer();
  ASSERT_TRUE(player->Load(testing::WriteToneModule(428, 16)));
  ASSERT_TRUE(player->Start(Rate));
  const std::vector<int16_t> stereo = Play(*player, Rate / 10);
  int16_t left = 0;
  int16_t right = 0;
  for (size_t i = 0; i < stereo.size(); i += 2) {
    left = std::max<int16_t>(left, stereo[i]);
    right = std::max<int16_t>(right, stereo[i + 1]);
  }
  EXPECT_GT(right, left / 4);
  EXPECT_LT(right, left / 2);
}

TEST(XmpModulePlayerTest, WhatIsNoModuleFailsToLoad) {
  const std::string text = "Not a music module, only words that go on for a while.";
  const std::vector<uint8_t> module = testing::WriteToneModule(428, 16);
  const std::vector<std::vector<uint8_t>> bad = {
      {},
      std::vector<uint8_t>(text.begin(), text.end()),
      std::vector<uint8_t>(module.begin(), module.begin() + 1084),
      std::vector<uint8_t>(4000, 0),
  };
  for (const std::vector<uint8_t>& bytes : bad) {
    const std::unique_ptr<ModulePlayer> player = MakeXmpModulePlayer();
    EXPECT_FALSE(player->Load(bytes)) << bytes.size();
    EXPECT_FALSE(player->Start(Rate));
    EXPECT_EQ(Peak(Play(*player, 256)), 0);
  }
}

TEST(XmpModulePlayerTest, SilentUntilStartedAndOnceStopped) {
  const std::unique_ptr<ModulePlayer> player = MakeXmpModulePlayer();
  ASSERT_TRUE(player->Load(testing::WriteToneModule(428, 16)));
  EXPECT_EQ(Peak(Play(*player, Rate / 10)), 0);
  ASSERT_TRUE(player->Start(Rate));
  EXPECT_GT(Peak(Play(*player, Rate / 10)), 1000);
  player->Stop();
  EXPECT_EQ(Peak(Play(*player, Rate / 10)), 0);
  ASSERT_TRUE(player->Start(Rate)) << "starts again from the beginning";
  EXPECT_GT(Peak(Play(*player, Rate / 10)), 1000);
}

}  // namespace
}  // namespace zorbulant
