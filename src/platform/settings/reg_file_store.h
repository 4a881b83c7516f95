// The settings store kept between runs: a text file in the form of a registry
// export, which the player can read and edit by hand.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/settings/key_handles.h"
#include "platform/settings/reg_file.h"
#include "platform/settings_store.h"

namespace zorbulant {

class RegFileStore final : public SettingsStore {
 public:
  explicit RegFileStore(std::filesystem::path file);

  // Sub-keys are below HKEY_LOCAL_MACHINE. Opening or creating a key reads the
  // file again, so values saved meanwhile by another program are seen.
  int32_t CreateKey(const char* subKey, Key& key) override;
  int32_t OpenKey(const char* subKey, Key& key) override;
  int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) override;
  int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) override;
  int32_t CloseKey(Key key) override;

 private:
  void Reload();
  int32_t Save(RegFile edited);

  std::filesystem::path file_;
  RegFile contents_;
  // False while the file on disk can be neither read nor set aside: writing
  // would replace contents that were never seen.
  bool writable_ = true;
  KeyHandles handles_;
};

// $XDG_CONFIG_HOME/zorbulant/settings.reg, else ~/.config/zorbulant/settings.reg;
// nothing when neither variable gives a place. Arguments are the variables'
// values, null when unset.
std::optional<std::filesystem::path> DefaultSettingsPath(const char* xdgConfigHome,
                                                         const char* home);

}  // namespace zorbulant
