// The set-up dialog, answered by a thread as a player would.
#include "platform/win32/sndlib/setup_dialog.h"

#include <gtest/gtest.h>

#include <ostream>

#include "dialog_driver.h"
#include "test_environment.h"

namespace zorbulant {

// Failures show the set-up, not its bytes.
void PrintTo(const SoundSetup& setup, std::ostream* out) {
  *out << "{\"" << setup.device << "\", " << setup.mixingRate << " Hz, " << setup.bufferFrames
       << " frames}";
}

namespace testing {
namespace {

const std::vector<std::string> Devices{"Speakers", "Headphones"};

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindowsCanBeShown()) GTEST_SKIP() << "no display to show the dialog on";
  }
};

TEST_F(SetupDialogTest, ListsStartAtTheCurrentSetUp) {
  SoundSetup setup{"Headphones", 44100, 2048};
  DialogDriver driver(Press(IDOK));
  EXPECT_TRUE(RunSetupDialog(nullptr, Devices, setup));
  const DialogSeen seen = driver.Finish();
  ASSERT_TRUE(seen.shown);
  // The system's default comes first, then the devices.
  EXPECT_EQ(seen.device.count, 3);
  EXPECT_EQ(seen.device.selected, 2);
  EXPECT_EQ(seen.rate.count, static_cast<long long>(MixingRates.size()));
  EXPECT_EQ(seen.rate.selected, 0);
  EXPECT_EQ(seen.buffer.count, static_cast<long long>(BufferSizes.size()));
  EXPECT_EQ(seen.buffer.selected, 3);
  EXPECT_EQ(setup, (SoundSetup{"Headphones", 44100, 2048}));
}

TEST_F(SetupDialogTest, OkTakesTheChoices) {
  SoundSetup setup;
  DialogDriver driver(DialogAnswer{.device = 1, .rate = 0, .buffer = 2, .button = IDOK});
  EXPECT_TRUE(RunSetupDialog(nullptr, Devices, setup));
  EXPECT_TRUE(driver.Finish().shown);
  EXPECT_EQ(setup, (SoundSetup{"Speakers", MixingRates[0], BufferSizes[2]}));
}

TEST_F(SetupDialogTest, CancelKeepsTheSetUp) {
  SoundSetup setup{"Speakers", 48000, 256};
  DialogDriver driver(DialogAnswer{.device = 2, .rate = 0, .buffer = 3, .button = IDCANCEL});
  EXPECT_FALSE(RunSetupDialog(nullptr, Devices, setup));
  EXPECT_TRUE(driver.Finish().shown);
  EXPECT_EQ(setup, (SoundSetup{"Speakers", 48000, 256}));
}

// A device chosen once and gone since, and values no list offers, show as the
// lists' first entries: what the output would fall back to anyway.
TEST_F(SetupDialogTest, WhatNoListOffersShowsAsTheFirstEntry) {
  SoundSetup setup{"Old card", 22050, 4096};
  DialogDriver driver(Press(IDOK));
  EXPECT_TRUE(RunSetupDialog(nullptr, Devices, setup));
  const DialogSeen seen = driver.Finish();
  EXPECT_EQ(seen.device.selected, 0);
  EXPECT_EQ(seen.rate.selected, 0);
  EXPECT_EQ(seen.buffer.selected, 0);
  EXPECT_EQ(setup, (SoundSetup{"", MixingRates[0], BufferSizes[0]}));
}

TEST(SetupDialogWithoutDisplay, LeavesTheSetUpAsItWas) {
  if (WindowsCanBeShown()) GTEST_SKIP() << "a display is there";
  SoundSetup setup{"Speakers", 44100, 1024};
  EXPECT_FALSE(RunSetupDialog(nullptr, Devices, setup));
  EXPECT_EQ(setup, (SoundSetup{"Speakers", 44100, 1024}));
}

}  // namespace
}  // namespace testing
}  // namespace zorbulant
