// The exit test, the object walk, blocks and barriers.
#include "world/object_pass.h"

#include <algorithm>
#include <cstring>

#include "actors/enemies.h"
#include "actors/scene_pixels.h"
#include "actors/sound_zones.h"
#include "flow/game.h"
#include "world/level_object.h"

namespace zorbulant {

namespace {

constexpr uint32_t PictureRows = regions::LevelPictureRows;
constexpr uint32_t SceneRows = regions::SceneBuffer.size / regions::SceneRowLength;
constexpr uint32_t BarrierReach = 30;  // the deadly box reaches this far below the drawn field

// Fills a rectangle of a 1280-wide picture, clipped to its rows and columns.
void FillRectangle(uint8_t* picture, uint32_t rows, uint32_t x, uint32_t y, uint32_t width,
                   uint32_t height, uint8_t colour) {
  if (x >= regions::SceneRowLength || y >= rows) return;
  const uint32_t columns = std::min(width, regions::SceneRowLength - x);
  const uint32_t last = y + std::min(height, rows - y);
  for (uint32_t row = y; row < last; ++row) {
    std::memset(picture + row * regions::SceneRowLength + x, colour, columns);
  }
}

void ExitTest(Game& game) {
  const HeroVariables& hero = game.hero;
  const uint32_t x = LevelWord(game.work, levelfile::ExitX);
  const uint32_t y = LevelWord(game.work, levelfile::ExitY);
  if (x < hero.HeroX && hero.HeroX <= x + LevelWord(game.work, levelfile::ExitWidth) &&
      y < hero.HeroY && hero.HeroY <= y + LevelWord(game.work, levelfile::ExitHeight)) {
    game.world.HeroOnGround = 1;
    game.flow.GameState = StateMissionDone;
  }
}

}  // namespace

// Painted into the collision map every frame: a closed colour of 232 or more
// stops the hero, 248 or more shots and enemies too. The scenery under the
// block is gone for the rest of the level.
void UpdateBlock(Game& game, const LevelObject& block) {
  const uint32_t colour =
      block.Get(block.Get(field::State) == 0 ? field::ClosedColour : field::OpenColour);
  FillRectangle(game.work.at(regions::LevelPicture), PictureRows, block.Get(field::X),
                block.Get(field::Y), block.Get(field::BlockWidth), block.Get(field::BlockHeight),
                static_cast<uint8_t>(colour));
}

// Drawn into the scene only, so it is seen but not part of the collision map;
// it kills while in its invisible phase too.
void UpdateBarrier(Game& game, const LevelObject& barrier) {
  const uint32_t x = barrier.Get(field::X);
  const uint32_t y = barrier.Get(field::Y);
  const uint32_t width = barrier.Get(field::FieldWidth);
  const uint32_t height = barrier.Get(field::FieldHeight);
  uint32_t colour = barrier.Get(field::OffColour);
  if (barrier.Get(field::Disabled) == 0) {
    HeroVariables& hero = game.hero;
    if (x < hero.HeroX && hero.HeroX <= x + width && y < hero.HeroY &&
        hero.HeroY <= y + BarrierReach + height) {
      hero.HeroHealth = 0;
    }
    const uint32_t bit = (game.world.FrameClock >> (barrier.Get(field::FrameShift) & 31)) & 1;
    colour = barrier.Get(bit != 0 ? field::ColourBitSet : field::ColourBitClear);
  }
  if ((colour & 0xFF) < ActorSolidFrom) {
    FillRectangle(game.work.at(regions::SceneBuffer), SceneRows, x, y, width, height,
                  static_cast<uint8_t>(colour));
  }
}

void ObjectPass(Game& game) {
  ExitTest(game);
  WalkLevelObjects(game.work, [&game](uint32_t index) {
    LevelObject object(game.work, index);
    switch (object.Get(field::Type)) {
      case ObjectBlock:
        UpdateBlock(game, object);
        break;
      case ObjectBarrier:
        UpdateBarrier(game, object);
        break;
      case ObjectPickup:
        UpdatePickup(game, object);
        break;
      case ObjectSwitch:
        UpdateSwitch(game, object);
        break;
      case ObjectEnemy:
        UpdateEnemy(game, object);
        break;
      case ObjectSoundZone:
        UpdateSoundZone(game, object);
        break;
    }
  });
}

}  // namespace zorbulant
