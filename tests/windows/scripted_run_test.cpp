// The pieces of a scripted run: the virtual clock moved by every flip, the
// real window kept alive but deaf to the player, and live runs' turns.
#include "platform/win32/scripted_display.h"

#include <gtest/gtest.h>

#include "platform/win32/turn_counting_window.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

using ScriptedDisplayTest = testing::Win32GameTest;

TEST_F(ScriptedDisplayTest, EveryFlipMovesTheClockOnByOneRefreshOf70HertzEvenWhenItFails) {
  HeadlessClock clock;
  int pumped = 0;
  ScriptedDisplay display{win32.display, clock, [&pumped] { ++pumped; }};
  LockedSurface surface;
  ASSERT_TRUE(display.Lock(surface));
  EXPECT_FALSE(display.Flip());
  EXPECT_EQ(clock.Microseconds(), 14286u);
  EXPECT_EQ(pumped, 1);
  EXPECT_TRUE(display.Unlock());
  EXPECT_TRUE(display.Flip());
  EXPECT_EQ(clock.Microseconds(), 28572u);
  for (int i = 0; i < 68; ++i) display.Flip();
  EXPECT_EQ(clock.Milliseconds(), 1000u);
  EXPECT_EQ(pumped, 70);
}

struct TurnCountingWindowTest : ::testing::Test {
  void SetUp() override { ASSERT_NE(counted.CreateMainWindow(procedure), 0u); }

  Win32Window window;
  TurnCountingWindow counted{window, 3};
  PictureWindowProcedure procedure{window};
};

TEST_F(TurnCountingWindowTest, ThePictureWindowIgnoresKeysAndTheCloseButton) {
  EXPECT_EQ(::SendMessageA(window.Handle(), WM_SYSKEYDOWN, VK_F4, 0x203E0001), 0);
  EXPECT_EQ(::SendMessageA(window.Handle(), WM_CLOSE, 0, 0), 0);
  window.PumpMessages();
  EXPECT_TRUE(::IsWindow(window.Handle()));
}

TEST_F(TurnCountingWindowTest, EachTurnEndsWhenTheNextAsksForAMessageAndTheCloseFollowsTheLast) {
  std::vector<uint32_t> ended;
  counted.OnTurnEnded([&ended](uint32_t turn) { ended.push_back(turn); });
  MSG close;
  for (uint32_t turn = 1; turn <= 3; ++turn) {
    counted.MessageWaiting();
    window.PumpMessages();
    EXPECT_EQ(ended.size(), turn - 1);
    EXPECT_FALSE(::PeekMessageA(&close, window.Handle(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
  }
  EXPECT_TRUE(counted.MessageWaiting());
  EXPECT_TRUE(::PeekMessageA(&close, window.Handle(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
  counted.EndOpenTurn();
  counted.EndOpenTurn();
  EXPECT_EQ(ended, (std::vector<uint32_t>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace zorbulant
