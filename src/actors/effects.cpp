// The explosion and the hit spray.
#include "actors/effects.h"

#include "actors/scene_pixels.h"
#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "world/level_object.h"

namespace zorbulant {

namespace {

constexpr uint32_t ExplosionFrames = 30;
constexpr uint32_t SprayFrames = 64;
constexpr uint32_t SprayLastPosition = 1'024'000;  // row 800: the drops are no longer drawn
constexpr int64_t Row = regions::SceneRowLength;

void PlotEight(Game& game, int64_t ox, int64_t oy, int64_t x, int64_t y, uint8_t colour) {
  for (const int64_t sx : {x, -x}) {
    for (const int64_t sy : {y, -y}) {
      PutScenePixel(game, ox + sx, oy + sy, colour);
      PutScenePixel(game, ox + sy, oy + sx, colour);
    }
  }
}

// The attached record's picture, each source pixel s + 1 pixels from its
// neighbours, kept centred as it grows.
void DrawScattered(Game& game, uint32_t s) {
  const Explosion& explosion = game.effects.explosion;
  const LevelObject object(game.work, explosion.attachedIndex);
  const uint32_t width = object.Get(field::Width);
  const uint32_t height = object.Get(field::Height);
  const uint8_t* frame = SpriteFrame(game, object.Get(field::SpriteOffset), 0, width, height);
  if (frame == nullptr) return;
  int64_t left = Signed(object.Get(field::X));
  int64_t top = Signed(object.Get(field::Y));
  if (explosion.attachedEnemy) {
    // An enemy's X, Y is its foot point.
    left -= width / 2;
    top -= height;
  }
  const int64_t start = top * Row + left - int64_t{s} * (640 * int64_t{height} + width / 2);
  const int64_t spread = s + 1;
  for (uint32_t j = 0; j < height; ++j) {
    for (uint32_t i = 0; i < width; ++i) {
      const uint8_t pixel = frame[uint64_t{j} * width + i];
      const int64_t position = start + j * spread * Row + i * spread;
      // Only places after the scene's first byte are drawn.
      if (pixel < ActorSolidFrom && position > 0) PutSceneByte(game, position, pixel);
    }
  }
}

}  // namespace

void StartExplosion(Game& game, const LevelObject& object, bool enemy) {
  Explosion& explosion = game.effects.explosion;
  explosion.OriginX = object.Get(field::X);
  explosion.OriginY = object.Get(field::Y);
  explosion.RingRadius = 1;
  explosion.attached = true;
  explosion.attachedIndex = object.Index();
  explosion.attachedEnemy = enemy;
  explosion.ExplosionStep = 0;
}

void StartRings(Game& game, uint32_t x, uint32_t y) {
  Explosion& explosion = game.effects.explosion;
  explosion.OriginX = x;
  explosion.OriginY = y;
  explosion.attached = false;
  explosion.ExplosionStep = 0;
  explosion.RingRadius = 1;
}

void DrawRing(Game& game, uint32_t originX, uint32_t originY, uint32_t radius) {
  const auto colour = static_cast<uint8_t>(66 + 36 * ((radius >> 3) & 3));
  const int64_t ox = Signed(originX);
  const int64_t oy = Signed(originY);
  int64_t x = 0;
  int64_t y = radius;
  int64_t d = 3 - 2 * int64_t{radius};
  auto plot = [&] { PlotEight(game, ox, oy, x, y, colour); };
  // The steps of the midpoint method as jumps between three loops: while d
  // stays negative only x moves; otherwise y comes down too, until the
  // octant's end.
  bool flat = d < 0;
  while (true) {
    if (flat) {
      plot();
      x += 1;
      d += 4 * x + 6;
      if (d < 0) continue;
      flat = false;
    }
    plot();
    x += 1;
    d += 10;
    const int64_t t = x - y;
    if (t == 0) break;
    y -= 1;
    if (y == x) break;
    d += 4 * t;
    flat = d < 0;
  }
  plot();
}

void DrawExplosion(Game& game) {
  Explosion& explosion = game.effects.explosion;
  if (explosion.ExplosionStep >= ExplosionFrames) return;
  explosion.ExplosionStep += 1;
  const uint32_t s = explosion.ExplosionStep / 2;
  DrawRing(game, explosion.OriginX, explosion.OriginY, explosion.RingRadius);
  explosion.RingRadius += 2;
  DrawRing(game, explosion.OriginX, explosion.OriginY, explosion.RingRadius);
  explosion.RingRadius = (explosion.RingRadius + 2) & 31;
  if (explosion.attached) DrawScattered(game, s);
}

void StartHitSpray(Game& game, uint32_t x, uint32_t y, uint32_t facing) {
  HitSpray& spray = game.effects.spray;
  spray.SprayPos = y * regions::SceneRowLength + x;
  spray.SprayStep = 0;
  spray.SprayFacing = facing;
}

void DrawHitSpray(Game& game) {
  HitSpray& spray = game.effects.spray;
  if (spray.SprayStep >= SprayFrames) return;
  spray.SprayStep += 1;
  spray.SprayPos += (spray.SprayStep / 8) * regions::SceneRowLength;
  if (spray.SprayPos >= SprayLastPosition) return;
  const int64_t first = spray.SprayPos;
  auto put = [&](int64_t at, int64_t column, int64_t row, uint8_t value) {
    PutSceneByte(game, at + row * Row + column, value);
  };
  put(first, 0, 0, 30);
  put(first, 1, 1, 30);
  put(first, 0, 2, 30);
  put(first, 1, 0, 102);
  put(first, 0, 1, 102);
  const int64_t second =
      spray.SprayFacing == 0 ? first + spray.SprayStep : first - int64_t{spray.SprayStep};
  put(second, 0, 0, 102);
  put(second, 1, 0, 102);
  put(second, 1, 1, 102);
  put(second, 0, 1, 30);
  put(second, 0, 2, 30);
}

}  // namespace zorbulant
