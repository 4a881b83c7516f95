// The handles a settings store gives out for its open keys.
#pragma once

#include <map>
#include <string>

#include "platform/settings_store.h"

namespace zorbulant {

class KeyHandles {
 public:
  // A new handle for the key at `path`; never 0.
  SettingsStore::Key Open(std::string path);
  // The key's path, or nullptr when the handle is not open.
  const std::string* Path(SettingsStore::Key key) const;
  // False when the handle was not open.
  bool Close(SettingsStore::Key key);

 private:
  std::map<SettingsStore::Key, std::string> open_;
  SettingsStore::Key last_ = 0;
};

}  // namespace zorbulant
