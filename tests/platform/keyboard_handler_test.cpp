// The key rules, with their traps: which flags each key sets and clears, and
// the commands that act at once.
#include "platform/keyboard_handler.h"

#include <gtest/gtest.h>

#include "platform/headless/input_script.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

uint32_t Press(uint32_t scanCode) { return KeyMessageParam(scanCode, false, false, false, false); }
uint32_t Repeat(uint32_t scanCode) { return KeyMessageParam(scanCode, false, false, true, false); }
uint32_t Release(uint32_t scanCode) { return KeyMessageParam(scanCode, false, false, true, true); }

class KeyboardHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.world.HeroOnGround = 1;
    game.sound.SoundAvailable = 1;
  }
  void Key(uint32_t lParam) { KeyboardHandler(game, lParam); }

  testing::TestPlatform platform;
  Game game{platform.platform()};
};

TEST_F(KeyboardHandlerTest, EveryKeyMessageClearsIdleTimeAndKeyDown) {
  Key(Press(scancode::Down));
  ASSERT_EQ(game.keys.KeyDown, 1u);
  game.world.IdleTime = 300;
  // Any other key, even one the game does not know, ends ducking while Down is held.
  Key(Press(0x10));
  EXPECT_EQ(game.keys.KeyDown, 0u);
  EXPECT_EQ(game.world.IdleTime, 0u);
  // The held Down key ducks again only with its own next auto-repeat.
  Key(Repeat(scancode::Down));
  EXPECT_EQ(game.keys.KeyDown, 1u);
  Key(Release(scancode::Ctrl));
  EXPECT_EQ(game.keys.KeyDown, 0u);
}

TEST_F(KeyboardHandlerTest, ScanCodeIgnoresExtendedAndHighBits) {
  // Keypad arrows (not extended) and the arrow block (extended) act alike, and
  // so do right Ctrl and keypad Enter; only bits 16 to 22 name the key.
  Key(KeyMessageParam(scancode::Left, true, false, false, false));
  EXPECT_EQ(game.keys.KeyLeft, 1u);
  Key(KeyMessageParam(scancode::Left, false, false, true, true));
  EXPECT_EQ(game.keys.KeyLeft, 0u);
  Key(KeyMessageParam(scancode::Ctrl | 0x80, true, false, false, false));
  EXPECT_EQ(game.keys.KeyFire, 1u);
  Key(KeyMessageParam(scancode::Enter, true, false, false, false));
  EXPECT_EQ(game.keys.KeyJump, 1u);
}

TEST_F(KeyboardHandlerTest, RightWhileLeftHeldLeavesNoDirectionAfterRelease) {
  Key(Press(scancode::Left));
  EXPECT_EQ(game.hero.HeroFacingLeft, 1u);
  Key(Press(scancode::Right));
  EXPECT_EQ(game.keys.KeyLeft, 0u);
  EXPECT_EQ(game.keys.KeyRight, 1u);
  EXPECT_EQ(game.hero.HeroFacingLeft, 0u);
  Key(Release(scancode::Right));
  EXPECT_EQ(game.keys.KeyLeft, 0u);
  EXPECT_EQ(game.keys.KeyRight, 0u);
  // A release does not turn the hero.
  EXPECT_EQ(game.hero.HeroFacingLeft, 0u);
  Key(Release(scancode::Left));
  EXPECT_EQ(game.hero.HeroFacingLeft, 0u);
}

TEST_F(KeyboardHandlerTest, JumpOnlyStartsOnTheGroundButReleasesAlwaysCount) {
  for (uint32_t key : {scancode::Space, scancode::Enter}) {
    game.world.HeroOnGround = 0;
    game.keys.KeyJump = 0;
    Key(Press(key));
    EXPECT_EQ(game.keys.KeyJump, 0u) << "press in the air, key " << key;
    game.world.HeroOnGround = 1;
    Key(Press(key));
    EXPECT_EQ(game.keys.KeyJump, 1u);
    game.world.HeroOnGround = 0;
    Key(Repeat(key));
    EXPECT_EQ(game.keys.KeyJump, 1u) << "an auto-repeat in the air changes nothing";
    Key(Release(key));
    EXPECT_EQ(game.keys.KeyJump, 0u) << "release in the air, key " << key;
  }
}

TEST_F(KeyboardHandlerTest, UpIsAJumpInGameAndACursorKeyElsewhere) {
  game.flow.GameState = StateMenuGo;
  Key(Press(scancode::Up));
  EXPECT_EQ(game.keys.KeyUp, 1u);
  EXPECT_EQ(game.keys.KeyJump, 0u);
  Key(Release(scancode::Up));
  EXPECT_EQ(game.keys.KeyUp, 0u);

  game.flow.GameState = StateInGame;
  Key(Press(scancode::Up));
  EXPECT_EQ(game.keys.KeyJump, 1u);
  EXPECT_EQ(game.keys.KeyUp, 0u);
  game.world.HeroOnGround = 0;
  Key(Release(scancode::Up));
  EXPECT_EQ(game.keys.KeyJump, 0u);
  EXPECT_EQ(game.keys.KeyUp, 0u);
}

TEST_F(KeyboardHandlerTest, DuckOnTheGroundStopsWalkingButNotInTheAir) {
  for (uint32_t key : {scancode::Down, scancode::Alt}) {
    game.world.HeroOnGround = 1;
    game.keys.KeyLeft = 1;
    Key(Press(key));
    EXPECT_EQ(game.keys.KeyDown, 1u);
    EXPECT_EQ(game.keys.KeyLeft, 0u);
    EXPECT_EQ(game.keys.KeyRight, 0u);

    game.world.HeroOnGround = 0;
    game.keys.KeyRight = 1;
    Key(Press(key));
    EXPECT_EQ(game.keys.KeyDown, 0u);
    EXPECT_EQ(game.keys.KeyRight, 1u) << "ducking in the air does not stop the walk";
  }
  // HeroOnGround other than 1 does not count as the ground.
  game.world.HeroOnGround = 2;
  Key(Press(scancode::Down));
  EXPECT_EQ(game.keys.KeyDown, 0u);
}

TEST_F(KeyboardHandlerTest, PistolKeyReloadsOnEveryMessageWithSound) {
  game.hero.WeaponFlags = WeaponGrenade;
  game.hero.HeroFrame = 3;
  game.hero.PistolRounds = 2;
  Key(Press(scancode::Key1));
  EXPECT_EQ(game.hero.WeaponFlags, WeaponPistol);
  EXPECT_EQ(game.hero.PistolRounds, 0u) << "the reload animation refills the magazine";
  EXPECT_EQ(game.hero.HeroFrame, FirstReloadFrame);
  Key(Release(scancode::Key1));
  const uint32_t reload = game.sound.SampleTable[SampleReload].Handle;
  const std::string expected = "33(" + std::to_string(reload) + ",65535,0,11025,64,0)";
  EXPECT_EQ(platform.sound.CallsStartingWith("33"), (std::vector<std::string>{expected, expected}));
}

TEST_F(KeyboardHandlerTest, PistolKeyWhileDuckingFillsTheMagazineAtOnce) {
  game.hero.HeroFrame = DuckingFrame;
  game.hero.PistolRounds = 1;
  Key(Press(scancode::Key1));
  EXPECT_EQ(game.hero.PistolRounds, 6u);
  EXPECT_EQ(game.hero.HeroFrame, DuckingFrame);
  EXPECT_EQ(platform.sound.CallsStartingWith("33").size(), 1u);
}

TEST_F(KeyboardHandlerTest, PistolKeyWithLaserIsSilentAndKeepsTheUpgrade) {
  game.hero.WeaponFlags = LaserUpgrade | WeaponFlamer;
  game.hero.HeroFrame = 3;
  Key(Press(scancode::Key1));
  EXPECT_EQ(game.hero.WeaponFlags, LaserUpgrade | WeaponPistol);
  EXPECT_EQ(game.hero.PistolRounds, 6u);
  EXPECT_EQ(game.hero.HeroFrame, 3u);
  EXPECT_TRUE(platform.sound.CallsStartingWith("33").empty());
}

TEST_F(KeyboardHandlerTest, FlamerAndGrenadesNeedTheirAmmunition) {
  game.hero.WeaponFlags = LaserUpgrade | WeaponPistol;
  Key(Press(scancode::Key2));
  Key(Press(scancode::Key3));
  EXPECT_EQ(game.hero.WeaponFlags, LaserUpgrade | WeaponPistol);

  game.hero.FlameFuel = 1;
  Key(Release(scancode::Key2));
  EXPECT_EQ(game.hero.WeaponFlags, LaserUpgrade | WeaponFlamer);
  game.hero.GrenadeCount = 1;
  Key(Press(scancode::Key3));
  EXPECT_EQ(game.hero.WeaponFlags, LaserUpgrade | WeaponGrenade);
  EXPECT_TRUE(platform.sound.CallsStartingWith("33").empty());
}

TEST_F(KeyboardHandlerTest, GameSpeedKeysStayWithinTheirLimits) {
  game.settings.FrameLimit = 1;
  Key(Press(scancode::KeypadPlus));
  EXPECT_EQ(game.settings.FrameLimit, 0u);
  Key(Repeat(scancode::KeypadPlus));
  EXPECT_EQ(game.settings.FrameLimit, 0u) << "keypad + at 0 changes nothing";
  Key(Release(scancode::KeypadPlus));
  EXPECT_EQ(game.settings.FrameLimit, 0u);

  game.settings.FrameLimit = 31;
  Key(Press(scancode::KeypadMinus));
  EXPECT_EQ(game.settings.FrameLimit, 32u);
  Key(Repeat(scancode::KeypadMinus));
  EXPECT_EQ(game.settings.FrameLimit, 32u) << "keypad - at 32 changes nothing";
  game.settings.FrameLimit = 10;
  Key(Release(scancode::KeypadMinus));
  EXPECT_EQ(game.settings.FrameLimit, 10u) << "a release moves nothing";
}

TEST_F(KeyboardHandlerTest, AmplificationMovesByFourOnPressAndRelease) {
  game.settings.Amplification = 300;
  Key(Press(scancode::KeypadStar));
  Key(Release(scancode::KeypadStar));
  EXPECT_EQ(game.settings.Amplification, 308u);
  Key(Press(scancode::Slash));
  Key(Repeat(scancode::Slash));
  Key(Release(scancode::Slash));
  EXPECT_EQ(game.settings.Amplification, 296u);
  EXPECT_EQ(platform.sound.CallsStartingWith("13"),
            (std::vector<std::string>{"13(304)", "13(308)", "13(304)", "13(300)", "13(296)"}));
}

TEST_F(KeyboardHandlerTest, AmplificationStopsAtItsLimits) {
  game.settings.Amplification = 500;
  Key(Press(scancode::KeypadStar));
  EXPECT_EQ(game.settings.Amplification, 504u);
  Key(Repeat(scancode::KeypadStar));
  EXPECT_EQ(game.settings.Amplification, 504u);

  game.settings.Amplification = 8;
  Key(Press(scancode::Slash));
  EXPECT_EQ(game.settings.Amplification, 4u);
  Key(Press(scancode::Slash));
  EXPECT_EQ(game.settings.Amplification, 4u);
  EXPECT_EQ(platform.sound.CallsStartingWith("13"), (std::vector<std::string>{"13(504)", "13(4)"}));
}

TEST_F(KeyboardHandlerTest, StoredAmplificationAbove511IsFirstReducedModulo512) {
  game.settings.Amplification = 1000;  // 1000 AND 511 = 488
  Key(Press(scancode::KeypadStar));
  EXPECT_EQ(game.settings.Amplification, 492u);
  game.settings.Amplification = 515;  // 3: below 8, so only the reduction happens
  Key(Press(scancode::Slash));
  EXPECT_EQ(game.settings.Amplification, 3u);
  game.settings.Amplification = 1020;  // 508 is at the upper limit
  Key(Press(scancode::KeypadStar));
  EXPECT_EQ(game.settings.Amplification, 508u);
  EXPECT_EQ(platform.sound.CallsStartingWith("13"), (std::vector<std::string>{"13(492)"}));
}

TEST_F(KeyboardHandlerTest, EscapeAndFireFollowTheKey) {
  Key(Press(scancode::Escape));
  Key(Press(scancode::Ctrl));
  EXPECT_EQ(game.keys.KeyEscape, 1u);
  EXPECT_EQ(game.keys.KeyFire, 1u);
  Key(Release(scancode::Escape));
  Key(Release(scancode::Ctrl));
  EXPECT_EQ(game.keys.KeyEscape, 0u);
  EXPECT_EQ(game.keys.KeyFire, 0u);
}

}  // namespace
}  // namespace zorbulant
