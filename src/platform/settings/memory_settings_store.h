// A settings store that lives only as long as the program: keys and typed
// values in memory, nothing kept between runs.
#pragma once

#include <map>
#include <string>

#include "platform/settings/key_handles.h"
#include "platform/settings/registry_value.h"
#include "platform/settings_store.h"

namespace zorbulant {

class MemorySettingsStore final : public SettingsStore {
 public:
  int32_t CreateKey(const char* subKey, Key& key) override;
  int32_t OpenKey(const char* subKey, Key& key) override;
  int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) override;
  int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) override;
  int32_t CloseKey(Key key) override;

 private:
  using Values = std::map<std::string, RegistryValue, RegistryNameLess>;
  std::map<std::string, Values, RegistryNameLess> keys_;
  KeyHandles handles_;
};

}  // namespace zorbulant
