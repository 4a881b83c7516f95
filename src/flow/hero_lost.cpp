// The hero-lost screen.
#include "flow/hero_lost.h"

#include <algorithm>

#include "flow/game.h"
#include "world/in_game_frame.h"

namespace zorbulant {

namespace {

constexpr uint32_t DeathAnimation = 72'239;  // 7 frames of 26 x 32 in the HeroSheet
constexpr uint32_t DeathWidth = 26;
constexpr uint32_t DeathHeight = 32;
constexpr uint32_t SequenceFrames = 512;

void DrawDeathFrame(Game& game, uint32_t frame) {
  const uint8_t* picture =
      game.work.at(regions::HeroSheet) + DeathAnimation + frame * DeathWidth * DeathHeight;
  uint8_t* scene = game.work.at(regions::SceneBuffer);
  // A hero lost at the level's very left or top edge leaves a corner outside
  // the scene: the animation is kept inside it instead.
  const uint32_t left = std::min(game.hero.HeroX, regions::SceneRowLength - DeathWidth);
  const uint32_t top = std::min(game.world.CameraY, 1024 - DeathHeight);
  for (uint32_t row = 0; row < DeathHeight; ++row) {
    for (uint32_t column = 0; column < DeathWidth; ++column) {
      const uint8_t pixel = picture[row * DeathWidth + column];
      if (pixel < 248) scene[(top + row) * regions::SceneRowLength + left + column] = pixel;
    }
  }
}

}  // namespace

void HeroLostFrame(Game& game) {
  FlowState& flow = game.flow;
  PaceFrame(game);
  if (flow.ScreenTimer == 0) {
    // From now on the two name the animation's top-left corner, and the view
    // follows them. Kept at 0 rather than wrapped past the level's edge.
    game.hero.HeroX = game.hero.HeroX >= 9 ? game.hero.HeroX - 9 : 0;
    game.world.CameraY = game.world.CameraY >= 32 ? game.world.CameraY - 32 : 0;
  }
  RestoreScene(game);
  WorldStep(game);
  DrawDeathFrame(game, std::min(flow.ScreenTimer / 32, 6u));
  PresentView(game);
  flow.ScreenTimer += 1;
  if (flow.ScreenTimer == SequenceFrames) {
    flow.GameState = StateLevelStart;
    flow.ScreenTimer = 0;
  }
}

}  // namespace zorbulant
