// The shot tables in the work block: records of five 32-bit little-endian
// words (Active, X, Y, Weapon, Facing), at offsets that need not be aligned.
#pragma once

#include <cstdint>

#include "assets/work_block.h"

namespace zorbulant {

// Enemy shots keep their Damage where hero shots keep their Weapon.
enum ShotWord : uint32_t {
  ShotActive = 0,
  ShotX = 1,
  ShotY = 2,
  ShotWeapon = 3,
  ShotDamage = 3,
  ShotFacing = 4,
};

inline constexpr uint32_t ShotRecordSize = 20;
inline constexpr uint32_t HeroShotSlots = 6;
inline constexpr uint32_t EnemyShotSlots = 8;

inline uint32_t GetShotWord(const WorkBlock& work, Region table, uint32_t slot, ShotWord word) {
  return LoadWord(work.at(table) + slot * ShotRecordSize + 4 * word);
}

inline void SetShotWord(WorkBlock& work, Region table, uint32_t slot, ShotWord word,
                        uint32_t value) {
  StoreWord(work.at(table) + slot * ShotRecordSize + 4 * word, value);
}

}  // namespace zorbulant
