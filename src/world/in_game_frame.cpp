// One frame of play in its fixed order, the camera and the view.
#include "world/in_game_frame.h"

#include <algorithm>
#include <cstring>

#include "actors/effects.h"
#include "actors/scene_pixels.h"
#include "actors/shots.h"
#include "actors/sprite_drawing.h"
#include "flow/game.h"
#include "platform/display.h"
#include "sound/sound_engine.h"
#include "world/hero_movement.h"
#include "world/hero_weapons.h"
#include "world/object_pass.h"

namespace zorbulant {

namespace {

constexpr uint32_t HudRow = 182;
constexpr uint32_t HeartIcon = 51'504;
constexpr uint32_t FuelIcon = 52'528;
constexpr uint32_t GrenadeIcon = 81'255;
constexpr uint32_t EmptyMagazineIcons[3] = {81'511, 81'767, 82'023};

// The centre raised to `half` first, then lowered to size - half, less half.
// A level smaller than the view would give a negative origin, and sizes from a
// hostile level file one past the regions: the origin is kept within 0 and the
// last origin whose window still lies inside the 1280 x 819 level picture.
uint32_t ViewOrigin(uint32_t centre, uint32_t size, uint32_t half, uint32_t last) {
  int64_t v = static_cast<int32_t>(centre);
  v = std::max<int64_t>(v, half);
  v = std::min<int64_t>(v, int64_t{static_cast<int32_t>(size)} - half);
  return static_cast<uint32_t>(std::clamp<int64_t>(v - half, 0, last));
}

uint32_t IconCopies(uint32_t amount, uint32_t unit) {
  const uint32_t shown = std::min(amount / unit, 8u);
  return shown >= 1 ? shown - 1 : 0;
}

void DrawHud(Game& game) {
  const HeroVariables& hero = game.hero;
  const uint8_t* items[2] = {game.work.at(regions::CarriedItemA),
                             game.work.at(regions::CarriedItemB)};
  const uint32_t counts[2] = {hero.ItemCountA, hero.ItemCountB};
  for (uint32_t i = 0; i < 2; ++i) {
    if (counts[i] == 0) continue;
    auto word = [&](uint32_t offset) { return LoadWord(items[i] + offset); };
    DrawHudIcons(game, 50 + 20 * i, HudRow, word(24), word(16), word(20), 1);
  }
  DrawHudIcons(game, 2, HudRow, HeartIcon, 16, 16, IconCopies(hero.HeroHealth, 64));
  if (hero.WeaponFlags == WeaponPistol && hero.PistolRounds == 0 &&
      (game.world.FrameClock & 256) != 0) {
    for (uint32_t i = 0; i < 3; ++i) {
      DrawHudIcons(game, 100 + 16 * i, HudRow, EmptyMagazineIcons[i], 16, 16, 1);
    }
  }
  DrawHudIcons(game, 162, HudRow, FuelIcon, 16, 16, IconCopies(hero.FlameFuel, 256));
  DrawHudIcons(game, 242, HudRow, GrenadeIcon, 16, 16, std::min(hero.GrenadeCount, 9u));
}

}  // namespace

uint32_t ViewLeft(const Game& game) {
  return ViewOrigin(game.hero.HeroX, game.hero.LevelWidth, 160, regions::SceneRowLength - 320);
}

uint32_t ViewTop(const Game& game) {
  return ViewOrigin(game.world.CameraY, game.hero.LevelHeight, 100,
                    regions::LevelPictureRows - 200);
}

void PaceFrame(Game& game) {
  game.world.LastFrameTime =
      game.platform.clock.WaitForElapsed(game.world.LastFrameTime, game.settings.FrameLimit);
}

void MoveCamera(Game& game) {
  WorldVariables& world = game.world;
  world.CameraNudge ^= 1;
  const auto d = static_cast<int32_t>(game.hero.HeroY - world.CameraY);
  if (d == 1 || d == -1) return;
  if (d >= 0) {
    // A falling hero is followed at once.
    world.CameraY = game.hero.HeroY - game.keys.KeyJump;
    return;
  }
  // Upwards the camera follows slowly while the gap is small; the shift is 8
  // again, not 0, from 128 pixels on.
  const auto a = static_cast<uint32_t>(-d);
  const uint32_t s = a < 128 ? 8 - (a >> 4) : 8;
  world.CameraY = world.CameraY - (a >> s) - world.CameraNudge;
}

uint8_t* ViewWindow(Game& game, Region picture) {
  return game.work.at(picture) + ViewTop(game) * regions::SceneRowLength + ViewLeft(game);
}

void RestoreScene(Game& game) {
  const uint8_t* from = ViewWindow(game, regions::LevelPicture);
  uint8_t* to = ViewWindow(game, regions::SceneBuffer);
  for (uint32_t row = 0; row < ScreenHeight; ++row) {
    std::memcpy(to + row * regions::SceneRowLength, from + row * regions::SceneRowLength,
                ScreenWidth);
  }
}

void PresentView(Game& game) {
  ShowPicture(game, ViewWindow(game, regions::SceneBuffer), regions::SceneRowLength);
  FlipScreen(game);
}

void DrawHudIcons(Game& game, uint32_t x, uint32_t y, uint32_t spriteOffset, uint32_t width,
                  uint32_t height, uint32_t copies) {
  // A carried item's picture comes from a level file.
  const uint8_t* frame = SpriteFrame(game, spriteOffset, 0, width, height);
  if (frame == nullptr) return;
  const int64_t left = ViewLeft(game) + x;
  const int64_t top = ViewTop(game) + y;
  for (uint32_t copy = 0; copy < copies; ++copy) {
    DrawSprite(game, frame, width, height, left + 5 * copy, top, false, ActorSolidFrom);
  }
}

void WorldStep(Game& game) {
  HeroVariables& hero = game.hero;
  if (hero.DoubleDamageTimer != 0) {
    hero.DoubleDamageTimer -= 1;
    // A heartbeat every 256 frames while double damage lasts.
    if ((hero.DoubleDamageTimer & 0xFF) == 0) {
      PlaySample(game, game.sound.SampleTable[SampleHeart].Handle, 11025, 64, 0);
    }
  }
  DrawHud(game);
  FiringStep(game);
  // These three still see the previous frame's FrameClock.
  UpdateEnemyShots(game);
  UpdateHeroShots(game);
  DrawExplosion(game);
  game.world.FrameClock = game.platform.clock.Milliseconds();
  ObjectPass(game);
  DrawHitSpray(game);
}

void InGameFrame(Game& game) {
  HeroVariables& hero = game.hero;
  KeyFlags& keys = game.keys;
  if (hero.HeroHealth == 0) game.flow.GameState = StateHeroLost;
  if (keys.KeyJump != keys.JumpKeyLast && keys.KeyJump == 1) {
    PlaySample(game, game.sound.SampleTable[SampleHah].Handle, 16000, 32, 0);
  }
  keys.JumpKeyLast = keys.KeyJump;
  MoveHero(game);
  // Escape held leaves the level: 4 becomes 12, back to the menu.
  game.flow.GameState += 8 * keys.KeyEscape;
  PaceFrame(game);
  const uint32_t picture = AnimateHero(game);
  MoveCamera(game);
  RestoreScene(game);
  WorldStep(game);
  // Drawn last, over everything else.
  DrawHeroSprite(game, hero.HeroX, hero.HeroY, picture, hero.HeroFacingLeft);
  PresentView(game);
}

}  // namespace zorbulant
