// Turning named switch actions into the byte offsets the game uses.
#include "levelc/switch_actions.h"

#include "levelc/map_properties.h"
#include "levelc/object_words.h"

namespace zorbulant::tools {

namespace {

// The value after the operator: a whole number, or a class word for a Type.
std::optional<uint32_t> ActionValue(std::string_view text, uint32_t offset, bool negate) {
  if (offset == field::Type && !negate) {
    if (const std::optional<ObjectType> type = ObjectClass(text)) return *type;
  }
  const std::optional<int64_t> number = ParseWholeNumber(std::string(text));
  if (!number || *number < INT32_MIN || *number > UINT32_MAX) return std::nullopt;
  // Negative amounts wrap, as the game's unsigned addition expects.
  return static_cast<uint32_t>(negate ? -*number : *number);
}

}  // namespace

std::optional<ObjectAction> ParseObjectAction(std::string_view text, ActionKind kind,
                                              const ObjectDirectory& directory,
                                              std::string& problem) {
  const size_t dot = text.find('.');
  const size_t op = text.find_first_of(kind == ActionKind::Set ? "=" : "+-", dot);
  if (dot == std::string_view::npos || op == std::string_view::npos) {
    problem = kind == ActionKind::Set ? "is not NAME.Field=VALUE" : "is not NAME.Field+AMOUNT";
    return std::nullopt;
  }
  const std::string_view name = text.substr(0, dot);
  const std::string_view fieldName = text.substr(dot + 1, op - dot - 1);
  const auto target = directory.find(name);
  if (target == directory.end()) {
    problem = "names no object '" + std::string(name) + "'";
    return std::nullopt;
  }
  const NamedRecord& record = target->second;
  const std::optional<uint32_t> offset = ObjectFieldOffset(record.type, fieldName);
  if (!offset) {
    problem = "names no field '" + std::string(fieldName) + "' of a " + ClassName(record.type) +
              " (it has " + ObjectFieldNames(record.type) + ")";
    return std::nullopt;
  }
  const std::optional<uint32_t> value = ActionValue(text.substr(op + 1), *offset, text[op] == '-');
  if (!value) {
    problem = "has no whole number after '" + std::string(1, text[op]) + "'";
    return std::nullopt;
  }
  return ObjectAction{record.index * levelfile::ObjectSize + *offset, *value};
}

}  // namespace zorbulant::tools
