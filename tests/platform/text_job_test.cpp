// Text jobs: the two passes, the record written back, every byte of the text,
// a failed context, and the menu's credits ticker built on them.
#include "platform/text_job.h"

#include <gtest/gtest.h>

#include "flow/main_menu.h"
#include "support/logging_display.h"
#include "support/recording_text_device.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

struct TextJobTest : ::testing::Test {
  TextJobTest()
      : display(platform.display, log),
        services{platform.window,   platform.clock, display,    platform.files,
                 platform.settings, platform.sound, "zorbulant"},
        game(services) {
    display.textContext = &text;
  }
  void SetUp() override { ASSERT_EQ(StartDisplay(game), StartupFailure::None); }

  testing::TestPlatform platform;
  std::vector<std::string> log;
  testing::LoggingDisplay display;
  testing::RecordingTextDevice text;
  Platform services;
  Game game;
};

TEST_F(TextJobTest, BlackPassThenRedPassOneRightAndOneUp) {
  static constexpr char Title[] = "Next Mission:";
  TextJob& job = game.textJob;
  job.TextX = 40;
  job.TextY = 20;
  job.TextLength = 13;
  job.TextPointer = Title;
  job.CharacterExtra = 4;
  job.FontHeight = 26;
  job.FontWeight = 600;
  job.FontUnderline = 1;
  job.FontPitchAndFamily = 0x31;
  DrawTextJob(game);

  EXPECT_EQ(text.calls,
            (std::vector<std::string>{"MakeFont", "SelectFont 1", "SetCharacterExtra 4",
                                      "SetBackgroundMode 1", "SetTextColour 0", "WriteText",
                                      "SetTextColour 255", "WriteText", "DeleteFont 1"}));
  ASSERT_EQ(text.fonts.size(), 1u);
  EXPECT_EQ(text.fonts[0].height, 26);
  EXPECT_EQ(text.fonts[0].weight, 600);
  EXPECT_EQ(text.fonts[0].underline, 1u);
  EXPECT_EQ(text.fonts[0].pitchAndFamily, 0x31u);
  ASSERT_EQ(text.writes.size(), 2u);
  EXPECT_EQ(text.writes[0].x, 40);
  EXPECT_EQ(text.writes[0].y, 20);
  EXPECT_EQ(text.writes[1].x, 41);
  EXPECT_EQ(text.writes[1].y, 19);
  EXPECT_EQ(text.writes[1].text, "Next Mission:");
  EXPECT_EQ(job.TextX, 41) << "the moved position stays in the record";
  EXPECT_EQ(job.TextY, 19);
  EXPECT_EQ(job.FontHandle, 1u);
  EXPECT_EQ(log.back(), "display ReleaseTextContext");
}

TEST_F(TextJobTest, ZeroBytesWithinTheLengthAreWrittenInBothPasses) {
  static constexpr char Padded[16] = {'C', 'a', 'v', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'x'};
  game.textJob.TextPointer = Padded;
  game.textJob.TextLength = 16;
  DrawTextJob(game);
  ASSERT_EQ(text.writes.size(), 2u);
  for (const auto& write : text.writes) EXPECT_EQ(write.text, std::string(Padded, 16));
}

TEST_F(TextJobTest, JobsThatSetOnlyTextYDriftOnePixelRightEach) {
  game.textJob.TextX = 100;
  game.textJob.TextPointer = "a";
  game.textJob.TextLength = 1;
  for (int32_t line = 0; line < 3; ++line) {
    game.textJob.TextY = 50 + 20 * line;
    DrawTextJob(game);
  }
  ASSERT_EQ(text.writes.size(), 6u);
  EXPECT_EQ(text.writes[0].x, 100);
  EXPECT_EQ(text.writes[2].x, 101);
  EXPECT_EQ(text.writes[4].x, 102);
  EXPECT_EQ(text.writes[4].y, 90);
}

TEST_F(TextJobTest, NoContextDrawsNothingAndAsksForARestore) {
  display.failingStep = "GetTextContext";
  game.textJob.TextX = 7;
  game.textJob.TextY = 9;
  DrawTextJob(game);
  EXPECT_TRUE(text.calls.empty());
  EXPECT_EQ(log.back(), "display Restore");
  EXPECT_EQ(game.textJob.TextX, 7);
  EXPECT_EQ(game.textJob.TextY, 9);
}

TEST_F(TextJobTest, TickerSlidesAPixelEvery16MillisecondsAndACharacterEvery128) {
  struct Expected {
    uint32_t clock;
    int32_t x;
    uint32_t offset;
  };
  const Expected expected[] = {
      {0, 8, 0},   {15, 8, 0},   {16, 7, 0},      {127, 1, 0},   {128, 8, 1},
      {144, 7, 1}, {1000, 2, 7}, {32767, 1, 255}, {32768, 8, 0},
  };
  for (const Expected& step : expected) {
    platform.clock.WaitForElapsed(0, step.clock);
    text.writes.clear();
    DrawCreditsTicker(game);
    ASSERT_EQ(text.writes.size(), 2u);
    EXPECT_EQ(text.writes[0].x, step.x) << "at " << step.clock << " ms";
    EXPECT_EQ(text.writes[0].y, 185);
    EXPECT_EQ(text.writes[0].text, std::string(CreditsLine.data() + step.offset, 50))
        << "at " << step.clock << " ms";
  }
  EXPECT_EQ(text.fonts.back().width, 8);
  EXPECT_EQ(text.fonts.back().height, 14);
  EXPECT_EQ(text.fonts.back().pitchAndFamily, 0x31u);
}

TEST(CreditsLine, FramesTheCreditsWithBlanksAndNeverRunsOut) {
  // The window of 50 starts at most 255 characters in.
  static_assert(CreditsLineLength >= 255 + 50);
  const std::string line(CreditsLine.data(), CreditsLineLength);
  EXPECT_EQ(line.find_first_not_of(' '), 53u);
  EXPECT_EQ(line.substr(CreditsLineLength - 53), std::string(53, ' '));
  EXPECT_EQ(line.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace zorbulant
