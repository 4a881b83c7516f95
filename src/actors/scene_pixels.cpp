// Bounded pixel access for the actors.
#include "actors/scene_pixels.h"

#include "flow/game.h"

namespace zorbulant {

namespace {

constexpr uint32_t PictureRows = regions::LevelPictureRows;
constexpr int64_t SceneRows = regions::SceneBuffer.size / regions::SceneRowLength;

}  // namespace

uint8_t LevelPixel(const Game& game, uint32_t x, uint32_t y) {
  if (x >= regions::SceneRowLength || y >= PictureRows) return 0;
  return game.work.at(regions::LevelPicture)[y * regions::SceneRowLength + x];
}

void PutScenePixel(Game& game, int64_t x, int64_t y, uint8_t value) {
  if (x < 0 || x >= regions::SceneRowLength || y < 0 || y >= SceneRows) return;
  game.work.at(regions::SceneBuffer)[y * regions::SceneRowLength + x] = value;
}

void PutSceneByte(Game& game, int64_t position, uint8_t value) {
  if (position < 0 || position >= regions::SceneBuffer.size) return;
  game.work.at(regions::SceneBuffer)[position] = value;
}

}  // namespace zorbulant
