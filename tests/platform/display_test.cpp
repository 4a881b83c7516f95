// The display: fixed palette, pitch-aware copies, lost surfaces and release.
#include "platform/display.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/logging_display.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

TEST(PaletteTable, CubeBlacksAndFixedColours) {
  const PaletteEntries& table = PaletteTable();
  // Index 36 g + 6 r + b holds levels r, g, b of 51 each.
  for (uint32_t g = 0; g < 6; ++g) {
    for (uint32_t r = 0; r < 6; ++r) {
      for (uint32_t b = 0; b < 6; ++b) {
        const PaletteEntry& entry = table[36 * g + 6 * r + b];
        EXPECT_EQ(entry.red, 51 * r);
        EXPECT_EQ(entry.green, 51 * g);
        EXPECT_EQ(entry.blue, 51 * b);
        EXPECT_EQ(entry.flags, 0);
      }
    }
  }
  for (uint32_t i = 216; i < 248; ++i) {
    EXPECT_EQ(table[i].red + table[i].green + table[i].blue, 0) << i;
  }
  const uint8_t fixed[8][3] = {{248, 244, 248}, {241, 255, 17}, {7, 6, 16}, {23, 5, 255},
                               {216, 216, 216}, {183, 0, 0},    {0, 85, 0}, {145, 3, 0}};
  for (uint32_t i = 0; i < 8; ++i) {
    EXPECT_EQ(table[248 + i].red, fixed[i][0]) << 248 + i;
    EXPECT_EQ(table[248 + i].green, fixed[i][1]) << 248 + i;
    EXPECT_EQ(table[248 + i].blue, fixed[i][2]) << 248 + i;
  }
  EXPECT_EQ(table[0].red + table[0].green + table[0].blue, 0);
}

struct DisplayFixture : ::testing::Test {
  explicit DisplayFixture(uint32_t pitch = 320) : platform({}, 0, pitch) {}
  void StartUp() { ASSERT_EQ(StartDisplay(game), StartupFailure::None); }

  testing::TestPlatform platform;
  Game game{platform.platform()};
};

struct WidePitch : DisplayFixture {
  WidePitch() : DisplayFixture(336) {}
};

TEST_F(WidePitch, CopiesHonourRowSkip) {
  StartUp();
  std::vector<uint8_t> picture(320 * 200);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 + i / 320);
  ASSERT_EQ(LockBackBuffer(game), 0u);
  EXPECT_EQ(game.display.RowSkip, 16u);
  CopyToBackBuffer(game, picture.data(), 320);
  UnlockBackBuffer(game);
  FlipScreen(game);

  const std::vector<uint8_t> rgb = platform.display.ScreenRgb();
  for (uint32_t i = 0; i < 320 * 200; i += 97) {
    const PaletteEntry& colour = PaletteTable()[picture[i]];
    EXPECT_EQ(rgb[i * 3], colour.red) << "pixel " << i;
    EXPECT_EQ(rgb[i * 3 + 1], colour.green) << "pixel " << i;
    EXPECT_EQ(rgb[i * 3 + 2], colour.blue) << "pixel " << i;
  }
}

TEST_F(DisplayFixture, NarrowPitchGivesNoRowSkip) {
  StartUp();
  ASSERT_EQ(LockBackBuffer(game), 0u);
  EXPECT_EQ(game.display.RowSkip, 0u);
  UnlockBackBuffer(game);
}

TEST_F(DisplayFixture, LostSurfacesAreRestoredByTheFirstFailingLock) {
  StartUp();
  platform.display.LoseSurfaces();
  EXPECT_EQ(LockBackBuffer(game), 1u) << "the lost surface fails once";
  UnlockBackBuffer(game);  // an unlock without a lock does no harm
  FlipScreen(game);
  EXPECT_EQ(LockBackBuffer(game), 0u) << "and is drawn normally after the restore";
  UnlockBackBuffer(game);
}

TEST_F(DisplayFixture, ReleaseTwiceReleasesEachObjectOnce) {
  std::vector<std::string> log;
  testing::LoggingDisplay logging(platform.display, log);
  Platform services{platform.window,   platform.clock, logging,    platform.files,
                    platform.settings, platform.sound, "zorbulant"};
  Game logged(services);
  ASSERT_EQ(StartDisplay(logged), StartupFailure::None);
  log.clear();
  ReleaseDisplay(logged);
  ReleaseDisplay(logged);
  EXPECT_EQ(log, (std::vector<std::string>{"display ReleasePalette", "display ReleaseFlippingChain",
                                           "display Close"}));
  EXPECT_EQ(LockBackBuffer(logged), 1u) << "nothing to lock after the release";
}

}  // namespace
}  // namespace zorbulant
