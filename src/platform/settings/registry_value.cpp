#include "platform/settings/registry_value.h"

#include <algorithm>

#include "platform/settings_store.h"

namespace zorbulant {

namespace {

char Folded(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int32_t CopyValueOut(const RegistryValue* value, uint8_t* data, uint32_t& size) {
  if (value == nullptr) return registry::FileNotFound;
  const auto length = static_cast<uint32_t>(value->data.size());
  if (length > size) {
    size = length;
    return registry::MoreData;
  }
  std::copy(value->data.begin(), value->data.end(), data);
  size = length;
  return registry::Success;
}

bool SameRegistryName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Folded(x) == Folded(y); });
}

bool RegistryNameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Folded(x) < Folded(y); });
}

bool KeyWithin(std::string_view path, std::string_view key) {
  if (path.size() < key.size() || !SameRegistryName(path.substr(0, key.size()), key)) {
    return false;
  }
  return path.size() == key.size() || path[key.size()] == '\\';
}

}  // namespace zorbulant
