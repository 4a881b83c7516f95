// The pieces of a scripted run: the virtual clock moved by every flip, the
// real window kept alive but deaf to the player, and live runs' turns.
#include "platform/win32/scripted_display.h"

#include <gtest/gtest.h>

#include "platform/win32/turn_counting_window.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

struct ScriptedDisplayTest : ::testing::Test {
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(win32.Start()); }

  testing::Win32Game win32;
  HeadlessClock clock;
  int pumped = 0;
  ScriptedDisplay display{win32.display, clock, [this] { ++pumped; }};
};

TEST_F(ScriptedDisplayTest, EveryFlipMovesTheClockOnByOneRefreshOf70Hertz) {
  EXPECT_TRUE(display.Flip());
  EXPECT_EQ(clock.Microseconds(), 14286u);
  EXPECT_TRUE(display.Flip());
  EXPECT_EQ(clock.Microseconds(), 28572u);
  for (int i = 0; i < 68; ++i) display.Flip();
  EXPECT_EQ(clock.Milliseconds(), 1000u);
  EXPECT_EQ(pumped, 70);
}

TEST_F(ScriptedDisplayTest, TheClockMovesAlsoWhenTheRealFlipFails) {
  LockedSurface surface;
  ASSERT_TRUE(display.Lock(surface));
  EXPECT_FALSE(display.Flip());
  EXPECT_EQ(clock.Microseconds(), 14286u);
  EXPECT_EQ(pumped, 1);
  EXPECT_TRUE(display.Unlock());
}

struct PictureWindowTest : ::testing::Test {
  void SetUp() override { ASSERT_NE(window.CreateMainWindow(procedure), 0u); }

  Win32Window window;
  PictureWindowProcedure procedure{window};
};

TEST_F(PictureWindowTest, KeysAndTheCloseButtonAreIgnored) {
  EXPECT_EQ(::SendMessageA(window.Handle(), WM_SYSKEYDOWN, VK_F4, 0x203E0001), 0);
  EXPECT_EQ(::SendMessageA(window.Handle(), WM_CLOSE, 0, 0), 0);
  window.PumpMessages();
  EXPECT_TRUE(::IsWindow(window.Handle()));
}

struct TurnCountingWindowTest : ::testing::Test {
  void SetUp() override { ASSERT_NE(counted.CreateMainWindow(procedure), 0u); }

  Win32Window window;
  TurnCountingWindow counted{window, 3};
  PictureWindowProcedure procedure{window};
  std::vector<uint32_t> ended;
};

TEST_F(TurnCountingWindowTest, EachTurnEndsWhenTheNextAsksForAMessage) {
  counted.OnTurnEnded([this](uint32_t turn) { ended.push_back(turn); });
  counted.MessageWaiting();
  EXPECT_TRUE(ended.empty());
  counted.MessageWaiting();
  counted.MessageWaiting();
  EXPECT_EQ(ended, (std::vector<uint32_t>{1, 2}));
  counted.EndOpenTurn();
  counted.EndOpenTurn();
  EXPECT_EQ(ended, (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(counted.Turn(), 3u);
}

TEST_F(TurnCountingWindowTest, TheCloseIsAskedForInTheTurnAfterTheLast) {
  for (int turn = 1; turn <= 3; ++turn) {
    counted.MessageWaiting();
    window.PumpMessages();
  }
  MSG message;
  EXPECT_FALSE(::PeekMessageA(&message, window.Handle(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
  EXPECT_TRUE(counted.MessageWaiting());
  EXPECT_TRUE(::PeekMessageA(&message, window.Handle(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
}

}  // namespace
}  // namespace zorbulant
