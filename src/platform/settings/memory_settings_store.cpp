#include "platform/settings/memory_settings_store.h"

#include <string_view>

namespace zorbulant {

int32_t MemorySettingsStore::CreateKey(const char* subKey, Key& key) {
  // Creating a key creates the keys above it, as in the registry, so that
  // each of them opens afterwards.
  const std::string_view path = subKey;
  for (size_t end = path.find('\\'); end != std::string_view::npos;
       end = path.find('\\', end + 1)) {
    keys_.try_emplace(std::string(path.substr(0, end)));
  }
  const auto entry = keys_.try_emplace(std::string(path)).first;
  key = handles_.Open(entry->first);
  return registry::Success;
}

int32_t MemorySettingsStore::OpenKey(const char* subKey, Key& key) {
  const auto entry = keys_.find(std::string_view(subKey));
  if (entry == keys_.end()) return registry::FileNotFound;
  key = handles_.Open(entry->first);
  return registry::Success;
}

int32_t MemorySettingsStore::SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                                      uint32_t size) {
  const std::string* path = handles_.Path(key);
  if (path == nullptr) return registry::InvalidHandle;
  Values& values = keys_[*path];
  // A name that differs only in case replaces the stored value, keeping the
  // first spelling.
  RegistryValue& value = values[name];
  value.type = type;
  value.data.assign(data, data + size);
  return registry::Success;
}

int32_t MemorySettingsStore::QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) {
  const std::string* path = handles_.Path(key);
  if (path == nullptr) return registry::InvalidHandle;
  const Values& values = keys_.at(*path);
  const auto found = values.find(std::string_view(name));
  return CopyValueOut(found == values.end() ? nullptr : &found->second, data, size);
}

int32_t MemorySettingsStore::CloseKey(Key key) {
  return handles_.Close(key) ? registry::Success : registry::InvalidHandle;
}

}  // namespace zorbulant
