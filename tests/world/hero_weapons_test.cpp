// The firing step: one shot per press, the magazine, the slots, the sounds
// with their echo, grenades and the flame's cut-off.
#include "world/hero_weapons.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"
#include "world/shot_table.h"

namespace zorbulant {
namespace {

struct FiringTest : ::testing::Test {
  void SetUp() override {
    test.game.sound.SoundAvailable = 1;
    hero().WeaponFlags = WeaponPistol;
    hero().PistolRounds = 6;
    hero().HeroX = 300;
    hero().HeroY = 200;
  }
  HeroVariables& hero() { return test.game.hero; }
  uint32_t Shot(uint32_t slot, ShotWord word) {
    return GetShotWord(test.game.work, regions::HeroShotTable, slot, word);
  }
  // One press and release of the fire key, a frame each.
  void Press() {
    test.game.keys.KeyFire = 1;
    FiringStep(test.game);
    test.game.keys.KeyFire = 0;
    FiringStep(test.game);
  }
  std::vector<std::string> Sounds() { return test.platform.sound.CallsStartingWith("33"); }
  std::string Sound(Sample sample, uint32_t rate, uint32_t panning) {
    return "33(" + std::to_string(test.game.sound.SampleTable[sample].Handle) + ",65535,0," +
           std::to_string(rate) + ",64," + std::to_string(panning) + ")";
  }

  testing::TestGame test;
};

TEST_F(FiringTest, AHeldKeyFiresOnceWithItsEcho) {
  test.game.keys.KeyFire = 1;
  for (int frame = 0; frame < 5; ++frame) FiringStep(test.game);
  EXPECT_EQ(hero().PistolRounds, 5u);
  EXPECT_EQ(Shot(0, ShotActive), 1u);
  EXPECT_EQ(Shot(1, ShotActive), 0u);
  EXPECT_EQ(Shot(0, ShotX), 300u);
  EXPECT_EQ(Shot(0, ShotY), 179u);
  EXPECT_EQ(Shot(0, ShotWeapon), WeaponPistol);
  EXPECT_EQ(Sounds(),
            (std::vector<std::string>{Sound(SampleGun, 10500, 0), Sound(SampleGun, 10000, 128)}));
}

TEST_F(FiringTest, EmptyMagazineDoesNothingAndAFullTableStillCostsARound) {
  hero().PistolRounds = 0;
  Press();
  EXPECT_EQ(Shot(0, ShotActive), 0u);
  EXPECT_TRUE(Sounds().empty());

  hero().PistolRounds = 10;
  for (int shot = 0; shot < 6; ++shot) Press();
  test.platform.sound.calls.clear();
  Press();
  EXPECT_EQ(hero().PistolRounds, 3u);
  EXPECT_TRUE(Sounds().empty()) << "no free slot, no sound";
}

TEST_F(FiringTest, SoundsFollowTheLastRuleThatApplies) {
  hero().WeaponFlags = LaserUpgrade | WeaponPistol;
  Press();
  EXPECT_EQ(Sounds().front(), Sound(SampleLaser, 11025, 0));
  EXPECT_EQ(hero().PistolRounds, 6u) << "the laser needs no magazine";
  test.platform.sound.calls.clear();
  hero().WeaponFlags = LaserUpgrade | WeaponFlamer;
  Press();
  EXPECT_EQ(Sounds(),
            (std::vector<std::string>{Sound(SampleGun5, 11025, 0), Sound(SampleGun5, 10525, 128)}));
}

TEST_F(FiringTest, TheLastGrenadeGoesBackToThePistolKeepingTheLaser) {
  hero().WeaponFlags = LaserUpgrade | WeaponGrenade;
  hero().GrenadeCount = 1;
  Press();
  EXPECT_EQ(Shot(0, ShotActive), 2047u);
  EXPECT_EQ(Shot(0, ShotWeapon), LaserUpgrade | WeaponGrenade);
  EXPECT_EQ(hero().GrenadeCount, 0u);
  EXPECT_EQ(hero().WeaponFlags, LaserUpgrade | WeaponPistol);
}

TEST_F(FiringTest, ReleasingFireWithTheFlamerFreesSlotsZeroAndOne) {
  for (int shot = 0; shot < 3; ++shot) Press();  // three bullets in slots 0 to 2
  hero().WeaponFlags = WeaponFlamer;
  FiringStep(test.game);
  EXPECT_EQ(Shot(0, ShotActive), 0u);
  EXPECT_EQ(Shot(1, ShotActive), 0u);
  EXPECT_EQ(Shot(2, ShotActive), 1u);
}

TEST_F(FiringTest, DuckingShotsStartTenPixelsLower) {
  hero().HeroFrame = DuckingFrame;
  hero().HeroFacingLeft = 1;
  Press();
  EXPECT_EQ(Shot(0, ShotY), 189u);
  EXPECT_EQ(Shot(0, ShotFacing), 1u);
}

}  // namespace
}  // namespace zorbulant
