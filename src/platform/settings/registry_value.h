// What the settings stores hold under a value name, and the rules the registry
// applies when a value is read or a name is looked up.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zorbulant {

struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

// RegQueryValueExA's contract: a missing value is FileNotFound; a value larger
// than `size` is MoreData with `size` set to what it needs and `data` left
// alone; otherwise the bytes are copied and `size` becomes their number.
int32_t CopyValueOut(const RegistryValue* value, uint8_t* data, uint32_t& size);

// Key and value names are compared without regard to case, as the registry does.
bool SameRegistryName(std::string_view a, std::string_view b);

struct RegistryNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// True when `path` names `key` itself or one of its sub-keys.
bool KeyWithin(std::string_view path, std::string_view key);

}  // namespace zorbulant
