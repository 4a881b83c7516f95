// The shot tables in the work block: records of five 32-bit little-endian
// words (Active, X, Y, Weapon, Facing), at offsets that need not be aligned.
#pragma once

#include <cstdint>
#include <cstring>

#include "assets/work_block.h"

namespace zorbulant {

enum ShotWord : uint32_t { ShotActive = 0, ShotX = 1, ShotY = 2, ShotWeapon = 3, ShotFacing = 4 };

inline constexpr uint32_t ShotRecordSize = 20;
inline constexpr uint32_t HeroShotSlots = 6;
inline constexpr uint32_t EnemyShotSlots = 8;

inline uint32_t GetShotWord(const WorkBlock& work, Region table, uint32_t slot, ShotWord word) {
  uint8_t bytes[4];
  std::memcpy(bytes, work.at(table) + slot * ShotRecordSize + 4 * word, 4);
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

inline void SetShotWord(WorkBlock& work, Region table, uint32_t slot, ShotWord word,
                        uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  std::memcpy(work.at(table) + slot * ShotRecordSize + 4 * word, bytes, 4);
}

}  // namespace zorbulant
