// The explosion's rings and scattered picture, and the hit spray.
#include "actors/effects.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "support/level_world.h"

namespace zorbulant {
namespace {

using Points = std::set<std::pair<int, int>>;

struct EffectsTest : ::testing::Test, testing::LevelWorld {
  // The scene pixels of one value around (ox, oy), relative to it.
  Points Drawn(int ox, int oy, uint8_t value, int reach = 40) {
    Points points;
    for (int y = -reach; y <= reach; ++y) {
      for (int x = -reach; x <= reach; ++x) {
        if (Scene(ox + x, oy + y) == value) points.insert({x, y});
      }
    }
    return points;
  }
  static Points Mirrored(std::initializer_list<std::pair<int, int>> octant) {
    Points points;
    for (const auto& [x, y] : octant) {
      for (const int sx : {x, -x}) {
        for (const int sy : {y, -y}) {
          points.insert({sx, sy});
          points.insert({sy, sx});
        }
      }
    }
    return points;
  }
};

TEST_F(EffectsTest, RingsFollowTheMidpointMethodInTheirRadiusColour) {
  DrawRing(game, 500, 400, 1);
  EXPECT_EQ(Drawn(500, 400, 66), Mirrored({{0, 1}, {1, 1}}));
  ClearScene();
  DrawRing(game, 500, 400, 3);
  EXPECT_EQ(Drawn(500, 400, 66), Mirrored({{0, 3}, {1, 3}, {2, 2}}));
  ClearScene();
  DrawRing(game, 500, 400, 8);
  const Points ring = Drawn(500, 400, 102);
  EXPECT_TRUE(ring.count({0, 8}) && ring.count({8, 0}) && ring.count({-6, -6}));
  ClearScene();
  DrawRing(game, 500, 400, 31);
  EXPECT_EQ(Drawn(500, 400, 174).count({31, 0}), 1u);
}

TEST_F(EffectsTest, ExplosionSweepsItsRingsAndRunsThirtyFrames) {
  StartRings(game, 600, 300);
  std::vector<uint32_t> outer;
  for (int frame = 0; frame < 32; ++frame) {
    ClearScene();
    DrawExplosion(game);
    uint32_t largest = 0;
    for (uint32_t row = 260; row <= 340; ++row) {
      if (Scene(600, row) != 0) largest = std::max(largest, row > 300 ? row - 300 : 300 - row);
    }
    outer.push_back(largest);
  }
  EXPECT_EQ(std::vector<uint32_t>(outer.begin(), outer.begin() + 9),
            (std::vector<uint32_t>{3, 7, 11, 15, 19, 23, 27, 31, 3}));
  EXPECT_NE(outer[29], 0u);
  EXPECT_EQ(outer[30], 0u) << "idle after 30 frames";
}

TEST_F(EffectsTest, ScatteredPictureSpreadsAroundTheEnemyAndStaysInTheScene) {
  std::fill_n(game.work.at(regions::HeroSheet) + 4096, 4 * 4, uint8_t{9});
  auto enemy = Add(testing::Record({{field::X, 300},
                                    {field::Y, 200},
                                    {field::Width, 4},
                                    {field::Height, 4},
                                    {field::SpriteOffset, 4096}}));
  StartExplosion(game, enemy, true);
  DrawExplosion(game);  // step 1: s = 0, the picture whole at (298, 196)
  EXPECT_EQ(Drawn(298, 196, 9, 6), (Points{{0, 0},
                                           {1, 0},
                                           {2, 0},
                                           {3, 0},
                                           {0, 1},
                                           {1, 1},
                                           {2, 1},
                                           {3, 1},
                                           {0, 2},
                                           {1, 2},
                                           {2, 2},
                                           {3, 2},
                                           {0, 3},
                                           {1, 3},
                                           {2, 3},
                                           {3, 3}}));
  ClearScene();
  DrawExplosion(game);  // step 2: s = 1, every other pixel, 2 rows up and 2 left
  const Points spread = Drawn(298, 196, 9, 8);
  EXPECT_EQ(spread.size(), 16u);
  EXPECT_TRUE(spread.count({-2, -2}) && spread.count({4, 4}));

  // At the scene's first row the rows above are skipped, not written before it.
  enemy.Set(field::Y, 2);
  enemy.Set(field::X, 2);
  for (int frame = 0; frame < 30; ++frame) DrawExplosion(game);
  EXPECT_EQ(game.work.at(regions::TopMargin)[regions::TopMargin.size - 1], 0);
}

TEST_F(EffectsTest, SprayFallsFasterAndStopsAtRow800) {
  StartHitSpray(game, 100, 790, 0);
  std::vector<int> drawnFrames;
  for (int frame = 1; frame <= 20; ++frame) {
    ClearScene();
    DrawHitSpray(game);
    bool any = false;
    for (uint32_t row = 780; row < 810; ++row) {
      for (uint32_t column = 90; column < 130; ++column) any = any || Scene(column, row) != 0;
    }
    if (any) drawnFrames.push_back(frame);
  }
  EXPECT_EQ(drawnFrames.size(), 15u);
  EXPECT_EQ(drawnFrames.back(), 15);

  // Drops of the first frame: the first at the place, the second one column
  // along in the spray's direction, left when facing left, drawn over it.
  StartHitSpray(game, 100, 100, 1);
  ClearScene();
  DrawHitSpray(game);
  EXPECT_EQ(Scene(101, 101), 30);
  EXPECT_EQ(Scene(100, 102), 30);
  EXPECT_EQ(Scene(101, 100), 102);
  EXPECT_EQ(Scene(100, 100), 102);
  EXPECT_EQ(Scene(99, 100), 102);
  EXPECT_EQ(Scene(99, 102), 30);
  EXPECT_EQ(Scene(102, 100), 0);
}

}  // namespace
}  // namespace zorbulant
