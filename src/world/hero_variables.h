// The hero's variables. The block keeps its byte layout because pick-ups and
// switches in level files name its words by byte offset from HeroX.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zorbulant {

struct HeroVariables {
  uint32_t HeroX = 20;
  uint32_t HeroY = 20;
  uint32_t HeroHealth = 1;
  uint32_t GrenadeCount = 0;
  uint32_t WeaponFlags = 0;
  uint32_t ItemCountA = 0;
  uint32_t ItemCountB = 0;
  uint32_t DoubleDamageTimer = 0;
  uint32_t FlameFuel = 0;
  uint32_t HeroFrame = 5;
  uint32_t HeroFacingLeft = 0;
  uint32_t Reserved = 0;
  uint32_t FallSpeed = 0;
  uint32_t AirTime = 0;
  uint32_t PistolRounds = 6;
  uint32_t LevelWidth = 1280;
  uint32_t LevelHeight = 800;
};

static_assert(offsetof(HeroVariables, HeroX) == 0);
static_assert(offsetof(HeroVariables, HeroY) == 4);
static_assert(offsetof(HeroVariables, HeroHealth) == 8);
static_assert(offsetof(HeroVariables, GrenadeCount) == 12);
static_assert(offsetof(HeroVariables, WeaponFlags) == 16);
static_assert(offsetof(HeroVariables, ItemCountA) == 20);
static_assert(offsetof(HeroVariables, ItemCountB) == 24);
static_assert(offsetof(HeroVariables, DoubleDamageTimer) == 28);
static_assert(offsetof(HeroVariables, FlameFuel) == 32);
static_assert(offsetof(HeroVariables, HeroFrame) == 36);
static_assert(offsetof(HeroVariables, HeroFacingLeft) == 40);
static_assert(offsetof(HeroVariables, FallSpeed) == 48);
static_assert(offsetof(HeroVariables, AirTime) == 52);
static_assert(offsetof(HeroVariables, PistolRounds) == 56);
static_assert(offsetof(HeroVariables, LevelWidth) == 60);
static_assert(offsetof(HeroVariables, LevelHeight) == 64);
static_assert(sizeof(HeroVariables) == 68);
// Level files name the words by their little-endian bytes.
static_assert(std::endian::native == std::endian::little);

// The word at a byte offset of the block, as pick-ups and switches name it.
// Only offsets whose word lies wholly inside the block are let through: a
// level file cannot reach past the block.
bool HeroWordInside(uint32_t offset);
// Reads 0 and writes nothing outside the block.
uint32_t GetHeroWord(const HeroVariables& hero, uint32_t offset);
void SetHeroWord(HeroVariables& hero, uint32_t offset, uint32_t value);

// Bits of WeaponFlags.
inline constexpr uint32_t WeaponPistol = 1;
inline constexpr uint32_t WeaponFlamer = 2;
inline constexpr uint32_t LaserUpgrade = 4;
inline constexpr uint32_t WeaponGrenade = 0x40;

// Hero pictures the keyboard handler names.
inline constexpr uint32_t DuckingFrame = 18;
inline constexpr uint32_t FirstReloadFrame = 86;

// The in-game variables that live outside the block.
struct WorldVariables {
  uint32_t CameraY = 20;
  uint32_t HeroOnGround = 0;
  uint32_t JumpPower = 0;
  uint32_t IdleTime = 0;
  uint32_t LastFrameTime = 0;   // when the last paced frame was released
  uint32_t CameraNudge = 0;     // toggled every frame
  uint32_t FrameClock = 0;      // the clock of all blinking and animation
  uint32_t ReloadClock = 0;     // when the reload animation last stepped
  uint32_t FireKeyLast = 0;     // KeyFire in the frame before
  uint32_t EnemyFireCount = 1;  // cycles 1 to 8: picks the enemy shot to reuse
};

}  // namespace zorbulant
