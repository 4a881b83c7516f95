// The tables of words and their numbers.
#include "levelc/object_words.h"

#include <cstddef>
#include <span>
#include <vector>

#include "world/hero_variables.h"

namespace zorbulant::tools {

namespace {

struct Word {
  std::string_view word;
  uint32_t value;
};

constexpr Word Classes[] = {
    {"block", ObjectBlock},   {"barrier", ObjectBarrier}, {"pickup", ObjectPickup},
    {"switch", ObjectSwitch}, {"enemy", ObjectEnemy},     {"soundzone", ObjectSoundZone},
};

constexpr Word HeroVariableNames[] = {
    {"health", offsetof(HeroVariables, HeroHealth)},
    {"grenades", offsetof(HeroVariables, GrenadeCount)},
    {"laser", offsetof(HeroVariables, WeaponFlags)},
    {"item-a", offsetof(HeroVariables, ItemCountA)},
    {"item-b", offsetof(HeroVariables, ItemCountB)},
    {"double-damage", offsetof(HeroVariables, DoubleDamageTimer)},
    {"fuel", offsetof(HeroVariables, FlameFuel)},
    {"rounds", offsetof(HeroVariables, PistolRounds)},
};

constexpr Word Behaviours[] = {
    {"jumps", EnemyJumps},          {"measures-walls", EnemyMeasuresWalls},
    {"faces-hero", EnemyFacesHero}, {"frozen", EnemyFrozen},
    {"hunts", EnemyHunts},
};

// Every record has these.
constexpr Word PlaceFields[] = {{"Type", field::Type}, {"X", field::X}, {"Y", field::Y}};

// Pick-ups, switches and enemies show a sprite.
constexpr Word SpriteFields[] = {
    {"HitPoints", field::HitPoints}, {"Width", field::Width},
    {"Height", field::Height},       {"SpriteOffset", field::SpriteOffset},
    {"FrameMask", field::FrameMask}, {"FrameShift", field::FrameShift},
    {"Facing", field::Facing},
};

constexpr Word BlockFields[] = {
    {"ClosedColour", field::ClosedColour},
    {"OpenColour", field::OpenColour},
    {"BlockWidth", field::BlockWidth},
    {"BlockHeight", field::BlockHeight},
    {"State", field::State},
};

constexpr Word BarrierFields[] = {
    {"FrameShift", field::FrameShift},         {"ColourBitSet", field::ColourBitSet},
    {"OffColour", field::OffColour},           {"FieldHeight", field::FieldHeight},
    {"FieldWidth", field::FieldWidth},         {"Disabled", field::Disabled},
    {"ColourBitClear", field::ColourBitClear},
};

constexpr Word PickupFields[] = {{"Target", field::Target}, {"Amount", field::Amount}};

constexpr Word SwitchFields[] = {
    {"PayWith", field::PayWith},         {"Set1Offset", field::Set1Offset},
    {"Set1Value", field::Set1Value},     {"Set2Offset", field::Set2Offset},
    {"Set2Value", field::Set2Value},     {"Set3Offset", field::Set3Offset},
    {"Set3Value", field::Set3Value},     {"Set4Offset", field::Set4Offset},
    {"Set4Value", field::Set4Value},     {"Price", field::Price},
    {"SpentSprite", field::SpentSprite}, {"Sound", field::Sound},
    {"Add1Offset", field::Add1Offset},   {"Add1Value", field::Add1Value},
    {"Add2Offset", field::Add2Offset},   {"Add2Value", field::Add2Value},
};

constexpr Word EnemyFields[] = {
    {"Behaviour", field::Behaviour},     {"PatrolLeft", field::PatrolLeft},
    {"PatrolRight", field::PatrolRight}, {"FireMask", field::FireMask},
    {"ShotDamage", field::ShotDamage},   {"Airborne", field::Airborne},
    {"RiseSpeed", field::RiseSpeed},
};

constexpr Word SoundZoneFields[] = {
    {"Width", field::Width},
    {"Height", field::Height},
    {"SampleChoice", field::SampleChoice},
    {"RepeatTime", field::RepeatTime},
    {"NextPlayTime", field::NextPlayTime},
};

std::optional<uint32_t> Lookup(std::span<const Word> words, std::string_view word) {
  for (const Word& entry : words) {
    if (entry.word == word) return entry.value;
  }
  return std::nullopt;
}

std::string List(std::span<const Word> words) {
  std::string list;
  for (const Word& entry : words) list += (list.empty() ? "" : ", ") + std::string(entry.word);
  return list;
}

// The field tables of a kind of object, the shared ones first.
std::vector<std::span<const Word>> FieldTables(ObjectType type) {
  switch (type) {
    case ObjectBlock:
      return {PlaceFields, BlockFields};
    case ObjectBarrier:
      return {PlaceFields, BarrierFields};
    case ObjectPickup:
      return {PlaceFields, SpriteFields, PickupFields};
    case ObjectSwitch:
      return {PlaceFields, SpriteFields, SwitchFields};
    case ObjectEnemy:
      return {PlaceFields, SpriteFields, EnemyFields};
    case ObjectSoundZone:
      return {PlaceFields, SoundZoneFields};
  }
  return {PlaceFields};
}

}  // namespace

std::optional<ObjectType> ObjectClass(std::string_view name) {
  const std::optional<uint32_t> type = Lookup(Classes, name);
  if (!type) return std::nullopt;
  return static_cast<ObjectType>(*type);
}

std::string ClassName(uint32_t type) {
  for (const Word& entry : Classes) {
    if (entry.value == type) return std::string(entry.word);
  }
  return "type " + std::to_string(type);
}

std::optional<uint32_t> HeroVariableWord(std::string_view word) {
  return Lookup(HeroVariableNames, word);
}
std::string HeroVariableWords() { return List(HeroVariableNames); }

std::optional<uint32_t> BehaviourBit(std::string_view word) { return Lookup(Behaviours, word); }
std::string BehaviourWords() { return List(Behaviours); }

std::optional<uint32_t> ObjectFieldOffset(ObjectType type, std::string_view field) {
  for (std::span<const Word> table : FieldTables(type)) {
    if (const std::optional<uint32_t> offset = Lookup(table, field)) return offset;
  }
  return std::nullopt;
}

std::string ObjectFieldNames(ObjectType type) {
  std::string names;
  for (std::span<const Word> table : FieldTables(type)) {
    names += (names.empty() ? "" : ", ") + List(table);
  }
  return names;
}

}  // namespace zorbulant::tools
