// The level data file, read whole into the LevelHeader region and used in
// place: a 56-byte header, then up to 31 object records of 128 bytes. Every
// number is an unsigned 32-bit little-endian word.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/work_block.h"

namespace zorbulant {

namespace levelfile {
inline constexpr uint32_t MissionTitle = 0;  // 16 characters, no terminator looked for
inline constexpr uint32_t MissionTitleLength = 16;
inline constexpr uint32_t MusicName = 16;  // the first 8 characters of the module's name
inline constexpr uint32_t MusicNameLength = 8;
inline constexpr uint32_t HeroStartX = 24;
inline constexpr uint32_t HeroStartY = 28;
inline constexpr uint32_t LevelWidth = 32;
inline constexpr uint32_t LevelHeight = 36;
inline constexpr uint32_t ExitX = 40;
inline constexpr uint32_t ExitY = 44;
inline constexpr uint32_t ExitWidth = 48;
inline constexpr uint32_t ExitHeight = 52;
inline constexpr uint32_t FirstObject = 56;
inline constexpr uint32_t ObjectSize = 128;
// Record 31 starts at 4,024, the last place for the end-of-list record.
inline constexpr uint32_t MaxObjectRecords = 32;
inline constexpr uint32_t EndOfObjects = 7;  // a Type of 7 or more ends the list
static_assert(FirstObject + (MaxObjectRecords - 1) * ObjectSize == 4'024);
static_assert(FirstObject + MaxObjectRecords * ObjectSize <= regions::LevelHeader.size);
}  // namespace levelfile

// Reads a header word of the level file in the work block.
uint32_t LevelWord(const WorkBlock& work, uint32_t offset);

// Calls visit(k) for each object record k in file order: a record of Type 0 is
// skipped, the first whose Type is 7 or more (unsigned) ends the list, and a
// file without such a record ends after record 31, the last that starts
// within the 4,132 bytes read.
template <typename Visit>
void WalkLevelObjects(const WorkBlock& work, Visit visit) {
  for (uint32_t k = 0; k < levelfile::MaxObjectRecords; ++k) {
    const uint32_t type = LevelWord(work, levelfile::FirstObject + k * levelfile::ObjectSize);
    if (type >= levelfile::EndOfObjects) return;
    if (type != 0) visit(k);
  }
}

// A level file built in code, written byte-exact: for tests and the level
// compiler. Objects are 32 words each; the end-of-list record is added.
struct LevelFileImage {
  std::string missionTitle;  // at most 16 characters; the rest is zeros
  std::string musicName;     // at most 8 characters; the rest is zeros
  uint32_t heroStartX = 0;
  uint32_t heroStartY = 0;
  uint32_t levelWidth = 1280;
  uint32_t levelHeight = 800;
  uint32_t exitX = 0;
  uint32_t exitY = 0;
  uint32_t exitWidth = 0;
  uint32_t exitHeight = 0;
  std::vector<std::array<uint32_t, 32>> objects;

  // The file's bytes: the header, the objects and an end record of Type 7.
  std::vector<uint8_t> Bytes() const;
};

}  // namespace zorbulant
