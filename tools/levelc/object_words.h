// The words a map uses for what the level file holds as numbers: object
// classes, the hero variables that pick-ups give and switches take, enemy
// behaviour, and the record fields that switch actions change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "world/level_object.h"

namespace zorbulant::tools {

// "block", "barrier", "pickup", "switch", "enemy", "soundzone".
std::optional<ObjectType> ObjectClass(std::string_view name);
std::string ClassName(uint32_t type);  // "type N" for a type no class has

// "health", "grenades", "laser", "item-a", "item-b", "double-damage", "fuel",
// "rounds": their byte offsets in the hero variable block.
std::optional<uint32_t> HeroVariableWord(std::string_view word);
std::string HeroVariableWords();  // the list, for messages

// "jumps", "measures-walls", "faces-hero", "frozen", "hunts".
std::optional<uint32_t> BehaviourBit(std::string_view word);
std::string BehaviourWords();

// A field of a record of that type by its name in the level file ("State",
// "Disabled", "X"...): only the fields that kind of object has.
std::optional<uint32_t> ObjectFieldOffset(ObjectType type, std::string_view field);
std::string ObjectFieldNames(ObjectType type);

}  // namespace zorbulant::tools
