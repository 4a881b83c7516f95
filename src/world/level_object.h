// One record of the level file's object list, read and written in place, and
// the words of the list that switch actions name by byte offset.
#pragma once

#include <cstdint>

#include "assets/work_block.h"
#include "world/level_file.h"

namespace zorbulant {

// Byte offsets of the fields inside a record. Several kinds share a place.
namespace field {
inline constexpr uint32_t Type = 0;
inline constexpr uint32_t X = 4;
inline constexpr uint32_t Y = 8;
inline constexpr uint32_t HitPoints = 12;
inline constexpr uint32_t Width = 16;
inline constexpr uint32_t Height = 20;
inline constexpr uint32_t SpriteOffset = 24;
inline constexpr uint32_t FrameMask = 28;
inline constexpr uint32_t FrameShift = 32;
inline constexpr uint32_t Facing = 36;
// Blocks.
inline constexpr uint32_t ClosedColour = 40;
inline constexpr uint32_t OpenColour = 44;
inline constexpr uint32_t BlockWidth = 48;
inline constexpr uint32_t BlockHeight = 52;
inline constexpr uint32_t State = 56;
// Barriers: width and height stand the other way round from blocks.
inline constexpr uint32_t ColourBitSet = 40;
inline constexpr uint32_t OffColour = 44;
inline constexpr uint32_t FieldHeight = 48;
inline constexpr uint32_t FieldWidth = 52;
inline constexpr uint32_t Disabled = 56;
inline constexpr uint32_t ColourBitClear = 60;
// Pick-ups.
inline constexpr uint32_t Target = 40;
inline constexpr uint32_t Amount = 44;
// Switches.
inline constexpr uint32_t PayWith = 40;
inline constexpr uint32_t Set1Offset = 44;
inline constexpr uint32_t Set1Value = 48;
inline constexpr uint32_t Set2Offset = 52;
inline constexpr uint32_t Set2Value = 56;
inline constexpr uint32_t Set3Offset = 60;
inline constexpr uint32_t Set3Value = 64;
inline constexpr uint32_t Set4Offset = 68;
inline constexpr uint32_t Set4Value = 72;
inline constexpr uint32_t Price = 76;
inline constexpr uint32_t SpentSprite = 80;
inline constexpr uint32_t Sound = 84;
inline constexpr uint32_t Add1Offset = 88;
inline constexpr uint32_t Add1Value = 92;
inline constexpr uint32_t Add2Offset = 96;
inline constexpr uint32_t Add2Value = 100;
// Enemies.
inline constexpr uint32_t Behaviour = 40;
inline constexpr uint32_t PatrolLeft = 44;
inline constexpr uint32_t PatrolRight = 48;
inline constexpr uint32_t FireMask = 52;
inline constexpr uint32_t ShotDamage = 56;
inline constexpr uint32_t Airborne = 60;
inline constexpr uint32_t RiseSpeed = 64;
// Sound zones.
inline constexpr uint32_t SampleChoice = 40;
inline constexpr uint32_t RepeatTime = 44;
inline constexpr uint32_t NextPlayTime = 48;
}  // namespace field

enum ObjectType : uint32_t {
  ObjectBlock = 1,
  ObjectBarrier = 2,
  ObjectPickup = 3,
  ObjectSwitch = 4,
  ObjectEnemy = 5,
  ObjectSoundZone = 6,
};

// Bits of an enemy's Behaviour.
inline constexpr uint32_t EnemyJumps = 1;
inline constexpr uint32_t EnemyMeasuresWalls = 2;
inline constexpr uint32_t EnemyFacesHero = 4;
inline constexpr uint32_t EnemyFrozen = 8;
inline constexpr uint32_t EnemyHunts = 16;

class LevelObject {
 public:
  LevelObject(WorkBlock& work, uint32_t index)
      : index_(index),
        record_(work.at(regions::LevelHeader) + levelfile::FirstObject +
                index * levelfile::ObjectSize) {}

  uint32_t Index() const { return index_; }
  const uint8_t* Bytes() const { return record_; }
  uint32_t Get(uint32_t offset) const { return LoadWord(record_ + offset); }
  void Set(uint32_t offset, uint32_t value) { StoreWord(record_ + offset, value); }

 private:
  uint32_t index_;
  uint8_t* record_;
};

// The object list: every record the region holds, counted in bytes from the
// first record.
inline constexpr uint32_t ObjectListSize = levelfile::MaxObjectRecords * levelfile::ObjectSize;

// Switch actions change words of the object list by byte offset. A level file
// may name any offset; one whose word does not lie wholly inside the list is
// ignored, so a shared level cannot write over the rest of the game.
void SetObjectListWord(WorkBlock& work, uint32_t offset, uint32_t value);
void AddObjectListWord(WorkBlock& work, uint32_t offset, uint32_t amount);

}  // namespace zorbulant
