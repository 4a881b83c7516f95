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

TEST(SetupDialog, ShowsTheSetUpAndOnlyOkTakesTheChoices) {
  if (!WindowsCanBeShown()) GTEST_SKIP() << "no display to show the dialog on";
  const struct {
    SoundSetup before;
    DialogAnswer answer;
    Lists<LRESULT> shown;  // the entry each list starts at
    SoundSetup after;
  } cases[] = {
      // The system's default comes first, then the devices.
      {{"Headphones", 44100, 2048}, {.button = IDOK}, {2, 0, 3}, {"Headphones", 44100, 2048}},
      {{}, {.picks = {1, 0, 2}, .button = IDOK}, {0, 1, 1}, {"Speakers", 44100, 1024}},
      {{"Speakers", 48000, 256},
       {.picks = {2, 0, 3}, .button = IDCANCEL},
       {1, 1, 0},
       {"Speakers", 48000, 256}},
      // A device gone since it was chosen, and values no list offers, show as
      // the first entries: what the output would fall back to anyway.
      {{"Old card", 22050, 4096}, {.button = IDOK}, {0, 0, 0}, {"", 44100, 256}},
  };
  for (const auto& [before, answer, shown, after] : cases) {
    SCOPED_TRACE(::testing::PrintToString(before));
    SoundSetup setup = before;
    DialogDriver driver(answer);
    EXPECT_EQ(RunSetupDialog(nullptr, Devices, setup), answer.button == IDOK);
    EXPECT_EQ(driver.Finish(), shown);
    EXPECT_EQ(setup, after);
  }
}

TEST(SetupDialog, WithoutADisplayLeavesTheSetUpAsItWas) {
  if (WindowsCanBeShown()) GTEST_SKIP() << "a display is there";
  SoundSetup setup{"Speakers", 44100, 1024};
  EXPECT_FALSE(RunSetupDialog(nullptr, Devices, setup));
  EXPECT_EQ(setup, (SoundSetup{"Speakers", 44100, 1024}));
}

}  // namespace
}  // namespace testing
}  // namespace zorbulant
