// The main menu: cursor rule with its ends and value 3, exit, and the drawing
// of the background and the turning button.
#include "flow/main_menu.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace zorbulant {
namespace {

struct MainMenuTest : ::testing::Test {
  void SetUp() override { ASSERT_EQ(StartDisplay(game), StartupFailure::None); }

  // One frame from `state` with the given direction flags; returns the new state.
  uint32_t Step(uint32_t state, uint32_t down, uint32_t right, uint32_t left, uint32_t up) {
    game.flow.GameState = state;
    game.keys.KeyDown = down;
    game.keys.KeyRight = right;
    game.keys.KeyLeft = left;
    game.keys.KeyUp = up;
    MainMenuFrame(game);
    EXPECT_EQ(game.keys.KeyDown + game.keys.KeyRight + game.keys.KeyLeft + game.keys.KeyUp, 0u)
        << "the direction flags are cleared every frame";
    return game.flow.GameState;
  }

  uint8_t Scene(uint32_t column, uint32_t row) {
    return game.work.at(regions::SceneBuffer)[row * regions::SceneRowLength + column];
  }

  // Fills a button's faces: front pixel x of row y is 1 + x, back is 101 + x;
  // the picture's last column is 0 (transparent).
  void PaintButton(const MenuButton& button) {
    uint8_t* picture = game.work.at(button.picture);
    for (uint32_t y = 0; y < 2 * button.height; ++y) {
      for (uint32_t x = 0; x < button.width; ++x) {
        const uint8_t base = y < button.height ? 1 : 101;
        picture[y * button.width + x] = x + 1 == button.width ? 0 : static_cast<uint8_t>(base + x);
      }
    }
  }

  void PaintMenu() {
    std::fill_n(game.work.at(regions::MenuBackground), 64000, uint8_t{200});
    for (const MenuButton& button : MenuButtons) PaintButton(button);
  }

  testing::TestPlatform platform;
  Game game{platform.platform()};
};

TEST_F(MainMenuTest, CursorMovesOneStepAndStopsAtBothEnds) {
  EXPECT_EQ(Step(0, 1, 0, 0, 0), 1u);
  EXPECT_EQ(Step(0, 0, 1, 0, 0), 1u) << "Right acts like Down";
  EXPECT_EQ(Step(1, 1, 0, 0, 0), 2u);
  EXPECT_EQ(Step(2, 1, 0, 0, 0), 2u) << "Down on exit does nothing";
  EXPECT_EQ(Step(2, 0, 1, 0, 0), 2u);
  EXPECT_EQ(Step(2, 0, 0, 0, 1), 1u);
  EXPECT_EQ(Step(1, 0, 0, 1, 0), 0u) << "Left acts like Up";
  EXPECT_EQ(Step(0, 0, 0, 0, 1), 0u) << "Up on go does nothing";
  EXPECT_EQ(Step(0, 0, 0, 1, 0), 0u);
  EXPECT_EQ(Step(0, 0, 0, 0, 0), 0u);
}

TEST_F(MainMenuTest, TwoFlagsAtOnceOnConfigReachValueThree) {
  EXPECT_EQ(Step(1, 1, 1, 0, 0), 3u);
  EXPECT_EQ(Step(1, 0, 0, 1, 1), 3u);
  EXPECT_EQ(Step(3, 0, 0, 0, 0), 3u);
  EXPECT_EQ(Step(3, 1, 1, 0, 0), 3u) << "Down and Right do nothing on 3";
  EXPECT_EQ(Step(3, 0, 0, 0, 1), 2u) << "Up leads back to exit";
  // Values without a screen of their own come back into 0 to 3.
  EXPECT_EQ(Step(13, 0, 0, 0, 0), 1u);
}

TEST_F(MainMenuTest, ConfirmOnExitQuitsWithoutDrawing) {
  PaintMenu();
  game.keys.KeyJump = 1;
  const uint32_t clock = platform.clock.Milliseconds();
  Step(2, 0, 0, 0, 0);
  EXPECT_EQ(game.shell.QuitRequested, 1u);
  EXPECT_EQ(platform.clock.Milliseconds(), clock) << "no flip waited";
  EXPECT_NE(Scene(0, 0), 200) << "nothing was drawn";
}

TEST_F(MainMenuTest, ConfirmOnValueThreeDoesNothingAndKeepsTheKey) {
  game.keys.KeyJump = 1;
  Step(3, 0, 0, 0, 0);
  EXPECT_EQ(game.shell.QuitRequested, 0u);
  EXPECT_EQ(game.keys.KeyJump, 1u);
}

TEST_F(MainMenuTest, FrameResetsTheHeroForTheMenu) {
  game.hero.HeroX = 1000;  // 1000 AND 127 = 104
  game.hero.HeroY = 100;   // 100 AND 63 = 36
  game.world.HeroOnGround = 0;
  Step(0, 0, 0, 0, 0);
  EXPECT_EQ(game.hero.HeroHealth, 255u);
  EXPECT_EQ(game.world.HeroOnGround, 1u);
  EXPECT_EQ(game.hero.HeroX, 104u);
  EXPECT_EQ(game.hero.HeroY, 36u);
  EXPECT_EQ(game.world.CameraY, 36u);
}

TEST_F(MainMenuTest, StillButtonsLeaveZeroPixelsTransparent) {
  PaintMenu();
  game.flow.GameState = 3;
  DrawMainMenu(game);
  for (const MenuButton& button : MenuButtons) {
    EXPECT_EQ(Scene(button.column, button.row), 1);
    EXPECT_EQ(Scene(button.column + button.width - 2, button.row + button.height - 1),
              button.width - 1);
    EXPECT_EQ(Scene(button.column + button.width - 1, button.row), 200) << "0 is transparent";
    EXPECT_EQ(Scene(button.column - 1, button.row), 200);
    EXPECT_EQ(Scene(button.column, button.row + button.height), 200)
        << "the back face is not drawn";
  }
  EXPECT_EQ(Scene(319, 199), 200);
}

TEST_F(MainMenuTest, SelectedButtonTurnsWithTheMenuClock) {
  PaintMenu();
  const MenuButton& go = MenuButtons[0];
  game.flow.GameState = 0;

  game.flow.MenuClock = 0;  // full width, front face
  DrawMainMenu(game);
  for (uint32_t x = 0; x + 1 < go.width; ++x) EXPECT_EQ(Scene(go.column + x, go.row + 5), 1 + x);

  game.flow.MenuClock = 804;  // half a turn: the back face at full width
  DrawMainMenu(game);
  for (uint32_t x = 0; x + 1 < go.width; ++x) EXPECT_EQ(Scene(go.column + x, go.row), 101 + x);

  game.flow.MenuClock = 402;  // a quarter turn: every pixel lands on the centre column
  DrawMainMenu(game);
  EXPECT_EQ(Scene(go.column + 40, go.row), go.width - 1) << "the last opaque pixel wins";
  EXPECT_EQ(Scene(go.column + 39, go.row), 200);
  EXPECT_EQ(Scene(go.column + 41, go.row), 200);

  // An eighth of a turn: step 128 and inset 20, so every second pixel moves on
  // a column and the later of two pixels on one column wins.
  game.flow.MenuClock = 201;
  DrawMainMenu(game);
  EXPECT_EQ(Scene(go.column + 19, go.row), 200);
  EXPECT_EQ(Scene(go.column + 20, go.row), 1);
  EXPECT_EQ(Scene(go.column + 21, go.row), 3);
  EXPECT_EQ(Scene(go.column + 59, go.row), 79);
  EXPECT_EQ(Scene(go.column + 60, go.row), 200) << "pixel 79 is transparent";
  // The other buttons stay still.
  EXPECT_EQ(Scene(MenuButtons[1].column, MenuButtons[1].row), 1);
}

TEST_F(MainMenuTest, MenuIsShownOnTheScreen) {
  PaintMenu();
  Step(0, 0, 0, 0, 0);
  const std::vector<uint8_t> rgb = platform.display.ScreenRgb();
  const PaletteEntry& background = PaletteTable()[200];
  EXPECT_EQ(rgb[0], background.red);
  EXPECT_EQ(rgb[1], background.green);
  EXPECT_EQ(rgb[2], background.blue);
}

}  // namespace
}  // namespace zorbulant
