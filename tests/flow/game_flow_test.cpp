// The road of a mission: menu, intro with its picker, level set-up and start,
// play, mission done and hero lost, and the configuration screen, on
// in-memory level files and a recording sound library.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/configuration_screen.h"
#include "flow/game_frame.h"
#include "flow/hero_lost.h"
#include "flow/main_menu.h"
#include "flow/mission_done.h"
#include "flow/mission_intro.h"
#include "support/gif_test_writer.h"
#include "support/logging_display.h"
#include "support/recording_text_device.h"
#include "support/test_platform.h"
#include "world/level_file.h"

namespace zorbulant {
namespace {

using Calls = std::vector<std::string>;

// Open space with a floor at row 150, where every hero of these levels starts.
std::vector<uint8_t> LevelPicture() {
  testing::Picture picture{1280, 220, std::vector<uint8_t>(1280 * 220, 17)};
  std::fill_n(picture.pixels.begin() + 150 * 1280, 1280, uint8_t{240});
  return testing::EncodeWithGiflib({picture}, {});
}

struct GameFlowTest : ::testing::Test {
  GameFlowTest()
      : display(platform.display, log),
        services{platform.window,   platform.clock, display,    platform.files,
                 platform.settings, platform.sound, "zorbulant"},
        game(services) {}

  void SetUp() override {
    ASSERT_EQ(StartDisplay(game), StartupFailure::None);
    game.settings.FrameLimit = 0;
    AddLevel(0, "First Steps", "tune0001", true);
    AddLevel(1, "Second", "tune0002", true);
    platform.sound.calls.clear();
  }

  void AddLevel(uint32_t n, const std::string& title, const std::string& music, bool picture) {
    LevelFileImage image;
    image.missionTitle = title;
    image.musicName = music;
    image.heroStartX = 100 + n;
    image.heroStartY = 150;
    image.levelWidth = 1280;
    image.levelHeight = 220;
    const std::string code = std::string("aa") + static_cast<char>('a' + n);
    platform.files.Add("level" + code + ".jmp", image.Bytes());
    if (picture) platform.files.Add("level" + code + ".gif", LevelPicture());
  }

  void Frame() { GameFrame(game); }
  void Confirm() {
    game.keys.KeyJump = 1;
    Frame();
  }
  uint32_t State() const { return game.flow.GameState; }
  uint32_t StoredSetting(const char* name) {
    SettingsStore::Key key = 0;
    uint32_t value = 0;
    uint32_t size = 4;
    if (platform.settings.OpenKey(SettingsKey, key) != 0) return 0xDEAD;
    const int32_t status =
        platform.settings.QueryValue(key, name, reinterpret_cast<uint8_t*>(&value), size);
    platform.settings.CloseKey(key);
    return status == 0 ? value : 0xDEAD;
  }

  testing::TestPlatform platform;
  std::vector<std::string> log;
  testing::LoggingDisplay display;
  Platform services;
  Game game;
};

TEST_F(GameFlowTest, NewGameThroughTheIntroIntoPlay) {
  game.sound.SoundAvailable = 1;
  game.hero.HeroHealth = 77;
  Confirm();  // "go"
  EXPECT_EQ(State(), StateMissionIntro) << "the intro runs in the same frame";
  EXPECT_EQ(game.hero.HeroHealth, 0u);
  std::fill_n(game.work.at(regions::ShotTables), regions::ShotTables.size, uint8_t{9});
  Confirm();
  EXPECT_EQ(State(), StateInGame) << "set-up, level start and the first in-game frame";
  EXPECT_EQ(game.hero.HeroHealth, 256u);
  EXPECT_EQ(game.hero.HeroX, 100u);
  EXPECT_EQ(game.hero.HeroY, 150u);
  EXPECT_EQ(game.world.CameraY, 150u);
  EXPECT_EQ(game.hero.LevelHeight, 220u);
  EXPECT_EQ(game.hero.WeaponFlags, WeaponPistol);
  EXPECT_EQ(game.hero.PistolRounds, 6u);
  EXPECT_TRUE(std::all_of(game.work.at(regions::ShotTables),
                          game.work.at(regions::ShotTables) + regions::ShotTables.size,
                          [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(platform.sound.CallsStartingWith("29"), (Calls{"29 lsfx2aaa.wav", "29 lsfx1aaa.wav"}));
  EXPECT_EQ(platform.sound.CallsStartingWith("16"), Calls{"16 tune0001.mod"});

  // Escape leaves play for the menu, whose music starts again.
  game.keys.KeyEscape = 1;
  Frame();
  EXPECT_EQ(State(), StateBackToMenu);
  game.keys.KeyEscape = 0;
  Frame();
  EXPECT_EQ(State(), StateMenuGo);
  EXPECT_EQ(platform.sound.CallsStartingWith("16").back(), "16 Intro001.mod");
}

TEST_F(GameFlowTest, MissingLevelGraphicsLeaveNoSpritesOfTheLevelBefore) {
  uint8_t* graphics = game.work.at(regions::LevelGraphics);
  std::fill_n(graphics, regions::LevelGraphics.size, uint8_t{7});
  FindLevel(game);
  LevelSetUp(game);
  EXPECT_TRUE(std::all_of(graphics, graphics + regions::LevelGraphics.size,
                          [](uint8_t b) { return b == 255; }));
  EXPECT_EQ(graphics[regions::LevelGraphics.size], 0) << "nothing past the region";
}

TEST_F(GameFlowTest, HealthRuleAfterAFinishedMissionAndADeath) {
  const std::pair<uint32_t, uint32_t> cases[] = {{100, 356}, {300, 300}, {0, 256}, {0x900, 0x100}};
  for (const auto& [before, after] : cases) {
    game.hero.HeroHealth = before;
    LevelStart(game);
    EXPECT_EQ(game.hero.HeroHealth, after) << before;
  }
}

TEST_F(GameFlowTest, PickerStepsWithinZeroAndMaxCount) {
  game.settings.MaxCount = 1;
  game.flow.GameState = StateMissionIntro;
  game.keys.KeyRight = 1;
  Frame();
  EXPECT_EQ(game.level.LevelNumber, 1u);
  game.keys.KeyRight = 1;
  Frame();
  EXPECT_EQ(game.level.LevelNumber, 1u) << "no step past MaxCount";
  game.keys.KeyLeft = 1;
  Frame();
  EXPECT_EQ(game.level.LevelNumber, 0u);
  EXPECT_EQ(game.level.LevelSearchStep, -1);
  game.keys.KeyDown = 1;
  Frame();
  EXPECT_EQ(game.level.LevelNumber, 0u) << "no step below 0";
}

TEST_F(GameFlowTest, MissingLevelPictureShowsTheNextMissionsIntro) {
  AddLevel(2, "No Picture", "tune0003", false);
  AddLevel(3, "Fourth", "tune0004", true);
  game.level.LevelNumber = 2;
  game.flow.GameState = StateMissionIntro;
  Confirm();
  EXPECT_EQ(State(), StateMissionIntro);
  EXPECT_EQ(game.level.LevelNumber, 3u);
  EXPECT_STREQ(game.level.LevelDataName, "levelaad.jmp");
}

TEST_F(GameFlowTest, EscapeInTheIntroReturnsToTheMenuWithItsMusic) {
  game.sound.SoundAvailable = 1;
  game.flow.GameState = StateMissionIntro;
  game.keys.KeyEscape = 1;
  Frame();
  EXPECT_EQ(State(), StateBackToMenu);
  EXPECT_EQ(game.keys.KeyEscape, 1u) << "Escape stays as it is";
  Frame();
  EXPECT_EQ(State(), StateMenuGo);
  EXPECT_EQ(platform.sound.CallsStartingWith("16"), Calls{"16 Intro001.mod"});
}

TEST_F(GameFlowTest, EscapeInTheFrameOfDeathGoesBackToTheMenu) {
  game.sound.SoundAvailable = 1;
  LevelStart(game);
  game.hero.HeroHealth = 0;
  game.keys.KeyEscape = 1;
  Frame();
  EXPECT_EQ(State(), StateHeroLost + 8);
  game.keys.KeyEscape = 0;
  Frame();
  EXPECT_EQ(State(), StateMenuGo);
  EXPECT_EQ(platform.sound.CallsStartingWith("16").back(), "16 Intro001.mod");
}

TEST_F(GameFlowTest, HeroLostRunsFor512FramesThenRestartsTheLevel) {
  LevelStart(game);
  game.hero.HeroHealth = 0;
  Frame();
  ASSERT_EQ(State(), StateHeroLost);
  for (uint32_t frame = 0; frame < 511; ++frame) {
    game.keys.KeyJump = 1;
    game.keys.KeyRight = 1;
    Frame();
    ASSERT_EQ(State(), StateHeroLost) << frame;
    EXPECT_EQ(game.keys.KeyRight, 0u);
  }
  Frame();
  EXPECT_EQ(State(), StateLevelStart);
  Frame();
  EXPECT_EQ(State(), StateInGame);
  EXPECT_EQ(game.hero.HeroHealth, 256u);
}

TEST_F(GameFlowTest, MissionDoneRaisesAndStoresMaxCountOnlyWhenItGrows) {
  game.settings.MaxCount = 1;
  game.level.LevelNumber = 1;
  game.flow.GameState = StateMissionDone;
  for (uint32_t frame = 0; frame < 299; ++frame) {
    game.keys.KeyJump = 1;
    Frame();
  }
  EXPECT_EQ(State(), StateMissionDone) << "keys do nothing before frame 300";
  Frame();  // frame 300: no end picture, on to the next mission
  EXPECT_EQ(State(), StateMissionIntro);
  EXPECT_EQ(game.level.LevelNumber, 2u);
  EXPECT_EQ(game.settings.MaxCount, 2u);
  EXPECT_EQ(StoredSetting("MaxCount"), 2u);

  // Finishing a lower mission again stores nothing.
  game.settings.MaxCount = 5;
  game.level.LevelNumber = 0;
  game.flow.GameState = StateMissionDone;
  for (uint32_t frame = 0; frame < 300; ++frame) Frame();
  EXPECT_EQ(game.level.LevelNumber, 1u);
  EXPECT_EQ(StoredSetting("MaxCount"), 2u);
}

TEST_F(GameFlowTest, MissionEndPictureWaitsForAKeyWithItsMusic) {
  game.sound.SoundAvailable = 1;
  platform.files.Add("lvendaaa.gif", LevelPicture());
  FindLevel(game);
  game.flow.GameState = StateMissionDone;
  for (uint32_t frame = 0; frame < 305; ++frame) Frame();
  EXPECT_EQ(State(), StateMissionDone) << "the picture stays until a key comes";
  EXPECT_EQ(platform.sound.CallsStartingWith("16").back(), "16 loop0001.mod");
  EXPECT_EQ(game.hero.HeroX, 10u);
  game.keys.KeyEscape = 1;
  Frame();
  EXPECT_EQ(State(), StateMissionIntro);
}

struct ConfigurationTest : GameFlowTest {
  void Open() {
    game.flow.GameState = StateMenuConfig;
    Confirm();
    ASSERT_EQ(State(), StateConfiguration);
  }
  void Move(uint32_t KeyFlags::*key) {
    game.keys.*key = 1;
    Frame();
  }
};

TEST_F(ConfigurationTest, SaveStoresBothValues) {
  game.settings.Amplification = 300;
  game.settings.FrameLimit = 7;
  Open();
  Move(&KeyFlags::KeyRight);  // line 0: volume up, every frame while held
  Frame();
  game.keys.KeyRight = 0;
  EXPECT_EQ(game.settings.Amplification, 302u);
  Move(&KeyFlags::KeyDown);
  Move(&KeyFlags::KeyRight);  // line 1: faster
  EXPECT_EQ(game.settings.FrameLimit, 6u);
  Move(&KeyFlags::KeyDown);
  Confirm();  // "Save Configuration"
  EXPECT_EQ(State(), StateMenuGo);
  EXPECT_EQ(game.flow.ConfigCursor, 0u);
  EXPECT_EQ(StoredSetting("Amplification"), 302u);
  EXPECT_EQ(StoredSetting("FrameLimit"), 6u);
}

TEST_F(ConfigurationTest, BackRestoresAndEscapeKeepsWithoutStoring) {
  game.settings.Amplification = 300;
  Open();
  Move(&KeyFlags::KeyLeft);
  game.keys.KeyLeft = 0;
  Move(&KeyFlags::KeyUp);  // from line 0 up to line 3
  EXPECT_EQ(game.flow.ConfigCursor, 3u);
  platform.sound.calls.clear();
  Confirm();  // "Back, do not save"
  EXPECT_EQ(game.settings.Amplification, 300u);
  EXPECT_EQ(platform.sound.CallsStartingWith("13").front(), "13(300)");
  EXPECT_EQ(StoredSetting("Amplification"), 0xDEADu);

  Open();
  Move(&KeyFlags::KeyLeft);
  game.keys.KeyLeft = 0;
  Move(&KeyFlags::KeyDown);
  game.keys.KeyEscape = 1;
  Frame();
  EXPECT_EQ(State(), StateMenuGo);
  EXPECT_EQ(game.settings.Amplification, 299u) << "kept in memory";
  EXPECT_EQ(game.flow.ConfigCursor, 1u) << "kept after Escape";
  EXPECT_EQ(StoredSetting("Amplification"), 0xDEADu);
}

TEST_F(ConfigurationTest, BarsShowVolumeAndSpeed) {
  testing::RecordingTextDevice text;
  display.textContext = &text;
  game.settings.Amplification = 300;
  game.settings.FrameLimit = 7;
  Open();
  text.writes.clear();
  Frame();
  ASSERT_EQ(text.writes.size(), 14u) << "seven texts, two passes each";
  EXPECT_EQ(text.writes[4].text.size(), 18u) << "volume bar at 300";
  EXPECT_EQ(text.writes[6].text.size(), 25u) << "speed bar at 7";
  for (size_t line = 0; line < 7; ++line) {
    EXPECT_EQ(text.writes[2 * line].x, static_cast<int32_t>(42 + line));
  }
}

}  // namespace
}  // namespace zorbulant
