// Hero movement, animation and drawing.
#include "world/hero_movement.h"

#include <algorithm>

#include "actors/sprite_drawing.h"
#include "flow/game.h"

namespace zorbulant {

namespace {

constexpr uint32_t PictureRows = regions::LevelPictureRows;
constexpr uint32_t WrapRow = 800;
constexpr uint32_t InAirFrame = 16;
constexpr uint32_t LandingFrame = 17;
constexpr uint32_t IdleHold = 509;

}  // namespace

bool HeroSolid(const Game& game, uint32_t x, uint32_t y) {
  // Rows below the picture (a hero falling towards the wrap reads up to 33
  // rows below itself) and columns beside it are empty, not stale memory.
  if (x >= regions::SceneRowLength || y >= PictureRows) return false;
  return game.work.at(regions::LevelPicture)[y * regions::SceneRowLength + x] >= 232;
}

void MoveHero(Game& game) {
  HeroVariables& hero = game.hero;
  WorldVariables& world = game.world;
  const KeyFlags& keys = game.keys;

  if (hero.HeroY >= WrapRow) hero.HeroY = 0;  // a bottomless pit drops in at the top
  uint32_t stepLeft = keys.KeyLeft;
  uint32_t stepRight = keys.KeyRight;
  // Every solid test of the frame uses the start position.
  const uint32_t x0 = hero.HeroX;
  const uint32_t y0 = hero.HeroY;
  auto solid = [&game](uint32_t x, uint32_t y) { return HeroSolid(game, x, y); };

  if (keys.KeyJump == 1) {
    if (world.JumpPower != 0) {
      world.JumpPower -= 1;
      if (world.JumpPower != 0) {
        hero.HeroY = hero.HeroY >= world.JumpPower ? hero.HeroY - world.JumpPower : 0;
      }
    }
  } else if (world.JumpPower <= 11 && solid(x0, y0)) {
    world.JumpPower += 2;
  }

  // A one-pixel step is climbed; anything two pixels high is a wall.
  if (solid(x0, y0 - 1) || solid(x0 + 1, y0 - 1)) {
    hero.HeroY -= 1;
    if (solid(x0 + 1, y0 - 2)) {
      hero.HeroY += 1;
      stepRight = 0;
    }
  }
  if (solid(x0, y0 - 1) || solid(x0 - 1, y0 - 1)) {
    hero.HeroY -= 1;
    if (solid(x0 - 1, y0 - 2)) {
      hero.HeroY += 1;
      stepLeft = 0;
    }
  }

  world.HeroOnGround = 1;
  if (solid(x0, y0)) {
    hero.FallSpeed = 0;
  } else {
    world.HeroOnGround = 0;
    hero.HeroY += 1;
    hero.AirTime += 1;
    // Floating while the jump key is held; otherwise the fall speeds up, and
    // the extra pixels never enter solid ground.
    if (keys.KeyJump != 1) {
      hero.FallSpeed += 1;
      const uint32_t extra = (hero.FallSpeed & 255) >> 3;
      for (uint32_t k = 0; k <= extra; ++k) {
        if (solid(x0, y0 + 1 + k)) break;
        hero.HeroY += 1;
      }
    }
  }
  hero.HeroX = x0 + stepRight - stepLeft;
}

uint32_t AnimateHero(Game& game) {
  HeroVariables& hero = game.hero;
  WorldVariables& world = game.world;
  KeyFlags& keys = game.keys;
  uint32_t f = hero.HeroFrame;

  const auto store = [&]() {
    hero.HeroFrame = f;
    uint32_t picture = f;
    if (world.IdleTime < IdleHold && f <= DuckingFrame) {
      if (hero.WeaponFlags & LaserUpgrade) {
        picture += 57;
      } else if (hero.WeaponFlags & WeaponFlamer) {
        picture += 19;
      } else if (hero.WeaponFlags & WeaponGrenade) {
        picture += 38;
      }
    }
    return 512 * picture;
  };

  if (f >= FirstReloadFrame) {
    keys.KeyLeft = 0;
    keys.KeyRight = 0;
    const uint32_t now = game.platform.clock.Milliseconds();
    if (now - world.ReloadClock < 150) return store();
    world.ReloadClock = now;
    if (f < 90) {
      f += 1;
      return store();
    }
    f = 0;
    hero.PistolRounds = 6;  // the magazine is full at the end of the reload
  }

  uint32_t t = world.IdleTime;
  if (!(hero.WeaponFlags & LaserUpgrade) && keys.KeyLeft == 0 && keys.KeyRight == 0 &&
      f != DuckingFrame && keys.KeyFire != 1 && world.HeroOnGround != 0) {
    t += 1;
    if (t >= IdleHold + 1) {
      // IdleTime stays at 509 while the hero idles: sequence A or B every
      // 4096 ms, each advancing every 128 ms and holding its last picture.
      f = 76 + 5 * ((world.FrameClock >> 12) & 1) + std::min((world.FrameClock >> 7) & 15, 4u);
      return store();
    }
  }
  world.IdleTime = t;

  if (keys.KeyLeft == 1 || keys.KeyRight == 1) {
    // Kept as the game has always had it: walking on straight from the ducking
    // picture counts on through the pictures after it, into the reload.
    f += 1;
    if (f == 16) f = 0;
  } else if (f != InAirFrame && f != LandingFrame && f != DuckingFrame) {
    f = 0;
  }
  if (keys.KeyDown == 1) {
    f = DuckingFrame;
    return store();
  }
  if (hero.AirTime >= 2 || (hero.AirTime == 0 && world.HeroOnGround == 0)) f = InAirFrame;
  if (hero.AirTime == 0 && world.HeroOnGround == 1) return store();
  if (world.HeroOnGround == 0) return store();
  const auto landing = static_cast<int32_t>((hero.AirTime | 1) & 31) - 2;
  if (landing < 0) {
    hero.AirTime = 0;
    f = 0;
  } else {
    hero.AirTime = static_cast<uint32_t>(landing);
    f = LandingFrame;
  }
  return store();
}

void DrawHeroSprite(Game& game, uint32_t x, uint32_t y, uint32_t sheetOffset, uint32_t mirrored) {
  // A level file's pick-up can add any number to HeroFrame: a picture that
  // does not lie in the sheet and the level graphics is not drawn.
  const uint8_t* picture = SpriteFrame(game, sheetOffset, 0, 16, 32);
  if (picture == nullptr) return;
  uint8_t* scene = game.work.at(regions::SceneBuffer);
  // Near the top of the level the picture is drawn lower, never above row 1.
  const uint32_t top = std::max(y, 33u) - 32;
  const int64_t left = int64_t{static_cast<int32_t>(x)} - 8;
  for (uint32_t row = 0; row < 32 && top + row < 1024; ++row) {
    uint8_t* to = scene + (top + row) * regions::SceneRowLength;
    for (uint32_t column = 0; column < 16; ++column) {
      // A foot point at the level's side is clipped to the scene, never
      // drawn into the row before or after.
      const int64_t sceneColumn = left + column;
      if (sceneColumn < 0 || sceneColumn >= regions::SceneRowLength) continue;
      const uint8_t pixel = picture[row * 16 + (mirrored ? 15 - column : column)];
      if (pixel < 232) to[sceneColumn] = pixel;
    }
  }
}

}  // namespace zorbulant
