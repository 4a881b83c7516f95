// Sprite frames and their drawing.
#include "actors/sprite_drawing.h"

#include "actors/scene_pixels.h"
#include "flow/game.h"
#include "world/level_object.h"

namespace zorbulant {

namespace {

constexpr uint64_t SheetSize = uint64_t{regions::LevelGraphics.end()} - regions::HeroSheet.offset;

}  // namespace

const uint8_t* SpriteFrame(const Game& game, uint32_t offset, uint32_t frame, uint32_t width,
                           uint32_t height) {
  const uint64_t size = uint64_t{width} * height;
  // A frame without pixels draws nothing, but a level file may give it a
  // billion empty rows: it is no frame, so that nobody walks its rows.
  if (size == 0 || size > SheetSize) return nullptr;
  const uint64_t start = offset + frame * size;
  if (start + size > SheetSize) return nullptr;
  return game.work.at(regions::HeroSheet) + start;
}

void DrawSprite(Game& game, const uint8_t* frame, uint32_t width, uint32_t height, int64_t left,
                int64_t top, bool mirrored, uint8_t transparentFrom) {
  for (uint32_t j = 0; j < height; ++j) {
    const uint8_t* row = frame + uint64_t{j} * width;
    for (uint32_t i = 0; i < width; ++i) {
      if (row[i] >= transparentFrom) continue;
      const int64_t column = mirrored ? left + width - i : left + i;
      PutScenePixel(game, column, top + j, row[i]);
    }
  }
}

void DrawObjectSprite(Game& game, const LevelObject& object) {
  // The shift counts modulo 32, as the processor's shift does.
  const uint32_t shift = object.Get(field::FrameShift) & 31;
  const uint32_t k = (game.world.FrameClock >> shift) & object.Get(field::FrameMask);
  const uint32_t width = object.Get(field::Width);
  const uint32_t height = object.Get(field::Height);
  const uint8_t* frame = SpriteFrame(game, object.Get(field::SpriteOffset), k, width, height);
  if (frame == nullptr) return;
  DrawSprite(game, frame, width, height, Signed(object.Get(field::X)), Signed(object.Get(field::Y)),
             object.Get(field::Facing) == 1, ActorSolidFrom);
}

bool HeroInsideObject(const Game& game, const LevelObject& object) {
  const uint32_t x = object.Get(field::X);
  const uint32_t y = object.Get(field::Y);
  const uint32_t heroX = game.hero.HeroX;
  const uint32_t heroY = game.hero.HeroY;
  return x < heroX && heroX <= x + object.Get(field::Width) && y < heroY &&
         heroY <= y + object.Get(field::Height);
}

}  // namespace zorbulant
