// The view window, the camera's pace and the head-up display's icon counts.
#include "world/in_game_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_platform.h"

namespace zorbulant {
namespace {

struct InGameFrameTest : ::testing::Test {
  void SetUp() override {
    hero().LevelWidth = 1280;
    hero().LevelHeight = 800;
  }
  HeroVariables& hero() { return test.game.hero; }
  WorldVariables& world() { return test.game.world; }

  // How many pixels of row 182 of the view, from column `x`, the icon covers.
  uint32_t IconRun(uint32_t iconOffset, uint32_t x) {
    std::fill_n(test.game.work.at(regions::HeroSheet) + iconOffset, 256, uint8_t{99});
    std::fill_n(test.game.work.at(regions::SceneBuffer), regions::SceneBuffer.size, uint8_t{0});
    WorldStep(test.game);
    const uint8_t* row = test.game.work.at(regions::SceneBuffer) +
                         (ViewTop(test.game) + 182) * 1280 + ViewLeft(test.game) + x;
    uint32_t run = 0;
    while (run < 200 && row[run] == 99) ++run;
    return run;
  }
  // Copies stand 5 pixels apart and are 16 wide.
  static uint32_t RunOf(uint32_t copies) { return copies == 0 ? 0 : 5 * (copies - 1) + 16; }

  testing::TestGame test;
};

TEST_F(InGameFrameTest, ViewFollowsTheHeroBetweenTheLevelsEnds) {
  hero().HeroX = 100;
  EXPECT_EQ(ViewLeft(test.game), 0u);
  hero().HeroX = 1200;
  EXPECT_EQ(ViewLeft(test.game), 960u);
  hero().HeroX = 500;
  EXPECT_EQ(ViewLeft(test.game), 340u);
  world().CameraY = 5000;
  EXPECT_EQ(ViewTop(test.game), 600u);
  hero().LevelHeight = 150;  // smaller than the view: the origin stays at 0
  hero().LevelWidth = 200;
  EXPECT_EQ(ViewTop(test.game), 0u);
  EXPECT_EQ(ViewLeft(test.game), 0u);
  hero().LevelHeight = 5000;  // a hostile size: the window stays inside the picture
  EXPECT_EQ(ViewTop(test.game), 619u);
}

TEST_F(InGameFrameTest, CameraFollowsDownAtOnceAndUpSlowly) {
  hero().HeroY = 400;
  world().CameraY = 399;
  MoveCamera(test.game);
  EXPECT_EQ(world().CameraY, 399u) << "one pixel off is left alone";
  world().CameraY = 300;
  MoveCamera(test.game);
  EXPECT_EQ(world().CameraY, 400u);

  world().CameraY = 530;  // the hero 130 above: only the nudge
  world().CameraNudge = 0;
  MoveCamera(test.game);
  EXPECT_EQ(world().CameraY, 529u);
  MoveCamera(test.game);
  EXPECT_EQ(world().CameraY, 529u);

  world().CameraY = 520;  // 120 above: 60, plus the nudge every other frame
  world().CameraNudge = 1;
  MoveCamera(test.game);
  EXPECT_EQ(world().CameraY, 460u);
}

TEST_F(InGameFrameTest, HudShowsHeartsFuelAndGrenadesByTheirCounts) {
  const std::pair<uint32_t, uint32_t> health[] = {{256, 3}, {511, 6}, {127, 0}, {5000, 7}};
  for (const auto& [points, copies] : health) {
    hero().HeroHealth = points;
    EXPECT_EQ(IconRun(51'504, 2), RunOf(copies)) << points;
  }
  hero().FlameFuel = 255;
  EXPECT_EQ(IconRun(52'528, 162), 0u);
  hero().FlameFuel = 1024;
  EXPECT_EQ(IconRun(52'528, 162), RunOf(3));
  hero().GrenadeCount = 12;
  EXPECT_EQ(IconRun(81'255, 242), RunOf(9));
}

TEST_F(InGameFrameTest, EmptyMagazineWarningBlinksWithTheClock) {
  hero().WeaponFlags = WeaponPistol;
  hero().PistolRounds = 0;
  world().FrameClock = 256;  // the clock of the frame before decides
  EXPECT_EQ(IconRun(81'511, 100), 16u);
  world().FrameClock = 512;
  EXPECT_EQ(IconRun(81'511, 100), 0u);
  hero().WeaponFlags = LaserUpgrade | WeaponPistol;
  world().FrameClock = 256;
  EXPECT_EQ(IconRun(81'511, 100), 0u) << "the laser needs no magazine";
}

}  // namespace
}  // namespace zorbulant
