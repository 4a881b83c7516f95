// Switch actions as a map writes them: the object to change by its name, the
// field by its name in the level file, and the value. "door.State=1" sets a
// word (set1 to set4); "gate.X+-32" or "gate.X-32" adds to it (add1, add2).
// A set may write an object's Type as its class word: "bonus.Type=pickup".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "world/level_object.h"

namespace zorbulant::tools {

struct NamedRecord {
  uint32_t index = 0;  // the record's place in the object list
  ObjectType type = ObjectBlock;
};
using ObjectDirectory = std::map<std::string, NamedRecord, std::less<>>;

enum class ActionKind { Set, Add };

struct ObjectAction {
  uint32_t offset = 0;  // of the word, in bytes from the first record
  uint32_t value = 0;
};

// Empty `problem` and the action, or a message saying what is wrong.
std::optional<ObjectAction> ParseObjectAction(std::string_view text, ActionKind kind,
                                              const ObjectDirectory& directory,
                                              std::string& problem);

}  // namespace zorbulant::tools
