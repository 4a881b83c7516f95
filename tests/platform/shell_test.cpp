// The main loop: one message and one frame per turn, frames only while active,
// shutdown once, and the end of the program.
#include "platform/shell.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "flow/game.h"
#include "platform/headless/input_script.h"
#include "platform/keyboard_handler.h"
#include "support/logging_display.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

WindowMessage KeyMessage(uint32_t scanCode, bool released) {
  return {released ? MessageId::KeyUp : MessageId::KeyDown, 0,
          KeyMessageParam(scanCode, false, false, released, released)};
}

struct TurnRecord {
  uint32_t turn;
  uint32_t clock;
  uint32_t gameState;
  uint32_t keyFire;
};

// Runs a whole program on a scripted window and records the state after every turn.
struct ScriptedRun {
  explicit ScriptedRun(std::vector<ScheduledMessage> schedule, uint32_t closeAfterTurns = 0)
      : platform(std::move(schedule), closeAfterTurns),
        display(platform.display, log),
        services{platform.window,   platform.clock, display,    platform.files,
                 platform.settings, platform.sound, "zorbulant"},
        game(services) {
    platform.window.OnTurnEnded([this](uint32_t turn) {
      turns.push_back(
          {turn, platform.clock.Milliseconds(), game.flow.GameState, game.keys.KeyFire});
    });
  }

  StartupFailure Run() {
    const StartupFailure failure = RunProgram(game);
    platform.window.EndOpenTurn();
    return failure;
  }

  size_t Count(const std::string& entry) const {
    return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
  }

  testing::TestPlatform platform;
  std::vector<std::string>& log = platform.sound.calls;
  testing::LoggingDisplay display;
  Platform services;
  Game game;
  std::vector<TurnRecord> turns;
};

TEST(MainLoop, TakesOneMessagePerTurnSoEveryKeyIsSeenByAFrame) {
  // Press and release arrive together, before the first frame.
  ScriptedRun run({{1, KeyMessage(scancode::Ctrl, false)}, {1, KeyMessage(scancode::Ctrl, true)}},
                  3);
  EXPECT_EQ(run.Run(), StartupFailure::None);
  ASSERT_GE(run.turns.size(), 3u);
  EXPECT_EQ(run.turns[0].keyFire, 1u) << "the first turn's frame sees the press";
  EXPECT_EQ(run.turns[1].keyFire, 0u) << "the release waits for the next turn";
  // Each turn's frame flips once, and the flip waits for the next refresh.
  EXPECT_LT(run.turns[0].clock, run.turns[1].clock);
}

TEST(MainLoop, RunsNoFrameWhileInactiveAndGoesOnFromTheSameState) {
  ScriptedRun run({{2, {MessageId::ActivateApp, 0, 0}},
                   {3, KeyMessage(scancode::Down, false)},
                   {6, {MessageId::ActivateApp, 1, 0}}},
                  7);
  EXPECT_EQ(run.Run(), StartupFailure::None);
  ASSERT_GE(run.turns.size(), 7u);
  for (size_t turn = 2; turn <= 5; ++turn) {
    EXPECT_EQ(run.turns[turn - 1].clock, run.turns[0].clock) << "no frame waited in turn " << turn;
    EXPECT_EQ(run.turns[turn - 1].gameState, StateMenuGo);
  }
  // The press handled while inactive moves the cursor in the first frame after.
  EXPECT_EQ(run.turns[5].gameState, StateMenuConfig);
  EXPECT_GT(run.turns[5].clock, run.turns[4].clock);
}

TEST(MainLoop, CloseShutsDownOnceInOrderAndEndsNormally) {
  ScriptedRun run({{2, {MessageId::Close, 0, 0}}, {2, {MessageId::Close, 0, 0}}}, 10);
  EXPECT_EQ(run.Run(), StartupFailure::None);
  EXPECT_EQ(run.game.shell.QuitRequested, 1u);
  // The close is handled in turn 2, whose frame still runs; nothing follows it.
  EXPECT_EQ(run.turns.size(), 2u);
  EXPECT_GT(run.turns[1].clock, run.turns[0].clock);

  // Sound first, then the display, each exactly once.
  const auto first = std::find(run.log.begin(), run.log.end(), "32");
  ASSERT_NE(first, run.log.end());
  EXPECT_EQ(std::vector<std::string>(first, run.log.end()),
            (std::vector<std::string>{"32", "12", "22", "7", "display ReleasePalette",
                                      "display ReleaseFlippingChain", "display Close"}));
  EXPECT_EQ(run.Count("7"), 1u);
}

TEST(MainLoop, MenuExitEndsTheProgram) {
  // The first frame puts the hero on the ground, which the Down key needs.
  ScriptedRun run({{2, KeyMessage(scancode::Down, false)},
                   {3, KeyMessage(scancode::Down, false)},
                   {4, KeyMessage(scancode::Enter, false)}},
                  10);
  EXPECT_EQ(run.Run(), StartupFailure::None);
  EXPECT_EQ(run.game.shell.QuitRequested, 1u);
  EXPECT_EQ(run.turns.size(), 4u);
  EXPECT_EQ(run.Count("display Close"), 1u);
}

TEST(MainLoop, AltF4AndOtherSystemKeysDoNotClose) {
  // Alt down, F4 down and up, Alt up: all go to the keyboard handler.
  ScriptedRun run(
      {{1, {MessageId::SysKeyDown, 0, KeyMessageParam(scancode::Alt, false, true, false, false)}},
       {2, {MessageId::SysKeyDown, 0, KeyMessageParam(0x3E, false, true, false, false)}},
       {3, {MessageId::SysKeyUp, 0, KeyMessageParam(0x3E, false, true, true, true)}},
       {4, {MessageId::KeyUp, 0, KeyMessageParam(scancode::Alt, false, false, true, true)}}},
      6);
  EXPECT_EQ(run.Run(), StartupFailure::None);
  EXPECT_EQ(run.turns.size(), 7u) << "only the scripted close after turn 6 ends the run";
}

TEST(Startup, AFailingDisplayStepReleasesWhatExistsInOrder) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"Open", {}},
      {"SetDisplayMode", {"display Close"}},
      {"CreateFlippingChain", {"display Close"}},
      {"CreatePalette", {"display ReleaseFlippingChain", "display Close"}},
      {"AttachPalette",
       {"display ReleasePalette", "display ReleaseFlippingChain", "display Close"}},
  };
  for (const auto& [step, releases] : cases) {
    ScriptedRun run({}, 5);
    run.display.failingStep = step;
    EXPECT_EQ(run.Run(), StartupFailure::NoDisplay) << step;
    EXPECT_TRUE(run.turns.empty()) << "no turn runs after a failed set-up";
    std::vector<std::string> released;
    for (const std::string& entry : run.log) {
      if (entry.find("Release") != std::string::npos || entry == "display Close") {
        released.push_back(entry);
      }
    }
    EXPECT_EQ(released, releases) << step;
  }
}

TEST(Startup, StartsSoundThenAssetsThenTheDisplay) {
  ScriptedRun run({}, 1);
  run.platform.sound.calls.clear();
  EXPECT_EQ(run.Run(), StartupFailure::None);
  const auto position = [&run](const std::string& entry) {
    return std::find(run.log.begin(), run.log.end(), entry) - run.log.begin();
  };
  // The library opens first; the menu music starts after the settings' own
  // amplification call; the display follows the assets.
  EXPECT_EQ(run.log.front(), "3");
  EXPECT_LT(position("16 intro001.mod"), position("display Open"));
  EXPECT_EQ(run.platform.sound.CallsStartingWith("13"),
            (std::vector<std::string>{"13(300)", "13(300)"}));
  EXPECT_EQ(run.platform.window.ShowCursor(true), 0) << "the cursor was hidden exactly once";
}

}  // namespace
}  // namespace zorbulant
