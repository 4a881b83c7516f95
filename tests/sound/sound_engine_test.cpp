// The sound engine over a recording library: start-up order and its undo
// chain, the set-up switch, music replacement and the shutdown order.
#include "sound/sound_engine.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace zorbulant {
namespace {

using Calls = std::vector<std::string>;

struct SoundEngineTest : ::testing::Test {
  testing::RecordingSoundLibrary& library() { return platform.sound; }

  testing::TestPlatform platform;
  Game game{platform.platform()};
};

Calls TableLoads() {
  Calls loads;
  for (const SampleRecord& record : SoundEngine{}.SampleTable) {
    loads.push_back(std::string("28 ") + record.FileName);
  }
  return loads;
}

TEST_F(SoundEngineTest, StartsInOrderAndLoadsTheFourteenSamples) {
  game.shell.MainWindow = 77;
  InitSound(game);
  Calls expected = {
      "3", "26(11,1)", "26(3,250)", "26(6,77)", "26(5,1)", std::string("65 ") + SoundEngineKey,
      "6", "13(300)",  "21",        "11",       "31"};
  const Calls loads = TableLoads();
  expected.insert(expected.end(), loads.begin(), loads.end());
  EXPECT_EQ(library().calls, expected);
  EXPECT_EQ(game.sound.SoundAvailable, 1u);
  ASSERT_EQ(loads.size(), 14u);
  EXPECT_EQ(loads.front(), "28 gun1.ulw");
  EXPECT_EQ(loads.back(), "28 fswitch.ulw");
  EXPECT_NE(game.sound.SampleTable[SampleReload].Handle, 0u);
}

TEST_F(SoundEngineTest, AFailedStepRunsTheUndoChainFromItsPlace) {
  const std::pair<uint32_t, Calls> cases[] = {
      {3, {"7"}},
      {6, {"7"}},
      {21, {"22", "7"}},
      {11, {"12", "22", "7"}},
      {31, {"32", "12", "22", "7"}},
  };
  for (const auto& [failing, undo] : cases) {
    testing::TestPlatform fresh;
    fresh.sound.failingExport = failing;
    Game silent(fresh.platform());
    InitSound(silent);
    const std::string step = std::to_string(failing);
    const auto at = std::find(fresh.sound.calls.begin(), fresh.sound.calls.end(), step);
    ASSERT_NE(at, fresh.sound.calls.end()) << step;
    EXPECT_EQ(Calls(at + 1, fresh.sound.calls.end()), undo) << "failing at " << step;
    EXPECT_EQ(silent.sound.SoundAvailable, 0u);

    // A silent engine calls nothing at all afterwards.
    fresh.sound.calls.clear();
    PlaySample(silent, 1, 11025, 64, 0);
    PlayMusic(silent);
    ShutdownSound(silent);
    EXPECT_TRUE(fresh.sound.calls.empty()) << "failing at " << step;
  }
}

TEST_F(SoundEngineTest, SetupSwitchReadsTheCommandLinesLastCharacter) {
  EXPECT_TRUE(SetupSwitch("zorbulant s"));
  EXPECT_TRUE(SetupSwitch("C:\\GAMES\\ZORB.EXE S"));
  EXPECT_TRUE(SetupSwitch("zorbulants"));
  EXPECT_FALSE(SetupSwitch("zorbulant"));
  EXPECT_FALSE(SetupSwitch("zorbulant s "));
  EXPECT_FALSE(SetupSwitch(""));
  EXPECT_TRUE(SetupSwitch("s"));
  // Past 256 characters without an end the 256th character decides.
  std::string longLine(300, 'x');
  longLine[255] = 's';
  EXPECT_TRUE(SetupSwitch(longLine.c_str()));
  longLine[255] = 'x';
  longLine.back() = 's';
  EXPECT_FALSE(SetupSwitch(longLine.c_str()));
}

TEST_F(SoundEngineTest, SetupSwitchRunsTheLibrarysSetupBeforeTheLoad) {
  platform.services.commandLine = "zorbulant s";
  InitSound(game);
  const Calls& calls = library().calls;
  const auto setup = std::find(calls.begin(), calls.end(), "62");
  ASSERT_NE(setup, calls.end());
  EXPECT_EQ(*(setup + 1), std::string("66 ") + SoundEngineKey);
  EXPECT_EQ(*(setup + 2), std::string("65 ") + SoundEngineKey);
  EXPECT_EQ(*(setup - 1), "26(5,1)");
}

TEST_F(SoundEngineTest, PlaySamplePassesItsArgumentsWithTheFixedLengthAndStart) {
  InitSound(game);
  library().calls.clear();
  PlaySample(game, 42, 10500, 64, 128);
  EXPECT_EQ(library().calls, Calls{"33(42,65535,0,10500,64,128)"});
}

TEST_F(SoundEngineTest, PlayMusicReplacesTheModuleThatPlays) {
  InitSound(game);
  library().calls.clear();
  PlayMusic(game);
  const uint32_t module = game.sound.MusicModule;
  const uint32_t playback = game.sound.MusicPlayback;
  ASSERT_NE(module, 0u);
  PlayMusic(game);
  EXPECT_EQ(library().calls,
            (Calls{"16 intro001.mod", "18(" + std::to_string(module) + ")",
                   "19(" + std::to_string(playback) + ")", "20(" + std::to_string(module) + ")",
                   "16 intro001.mod", "18(" + std::to_string(game.sound.MusicModule) + ")"}));
}

TEST_F(SoundEngineTest, AFailedModuleLeavesNoMusic) {
  InitSound(game);
  PlayMusic(game);
  library().missingModule = "nothere1.mod";
  std::copy_n("nothere1", 8, game.sound.MusicFileName);
  library().calls.clear();
  PlayMusic(game);
  EXPECT_EQ(game.sound.MusicModule, 0u);
  EXPECT_EQ(library().CallsStartingWith("18"), Calls{});
  // Nothing is left to stop the next time.
  library().calls.clear();
  std::copy_n("intro001", 8, game.sound.MusicFileName);
  PlayMusic(game);
  EXPECT_EQ(library().calls.front(), "16 intro001.mod");
}

TEST_F(SoundEngineTest, AZeroByteInTheMusicNameEndsTheFileName) {
  InitSound(game);
  const char name[8] = {'a', 'b', 0, 'c', 'd', 'e', 'f', 'g'};
  std::copy_n(name, 8, game.sound.MusicFileName);
  PlayMusic(game);
  EXPECT_EQ(library().CallsStartingWith("16"), Calls{"16 ab"});
  EXPECT_STREQ(game.sound.MusicFileName + 8, ".mod") << "the suffix is never touched";
}

TEST_F(SoundEngineTest, ShutdownFreesTheTableThenOnlyLevelSamplesThatExist) {
  InitSound(game);
  PlayMusic(game);
  game.sound.LevelSample2 = 501;
  library().calls.clear();
  ShutdownSound(game);
  const Calls& calls = library().calls;
  ASSERT_EQ(calls.size(), 2u + 14u + 1u + 4u);
  EXPECT_EQ(calls[0].substr(0, 2), "19");
  EXPECT_EQ(calls[1].substr(0, 2), "20");
  for (size_t i = 0; i < 14; ++i) {
    EXPECT_EQ(calls[2 + i], "30(" + std::to_string(game.sound.SampleTable[i].Handle) + ")");
  }
  EXPECT_EQ(calls[16], "30(501)");
  EXPECT_EQ(Calls(calls.end() - 4, calls.end()), (Calls{"32", "12", "22", "7"}));
  EXPECT_EQ(game.sound.SoundAvailable, 1u) << "it stays set after shutdown";
}

}  // namespace
}  // namespace zorbulant
