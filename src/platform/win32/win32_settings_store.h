// The settings in the system's registry, under HKEY_LOCAL_MACHINE as the game
// asks. A user without the rights to change the machine's keys (any user but
// an administrator on today's Windows) keeps them under HKEY_CURRENT_USER
// instead, with the same sub-key.
#pragma once

#include "platform/win32/windows_api.h"

#include "platform/settings_store.h"
#include "platform/win32/handle_table.h"

namespace zorbulant {

class Win32SettingsStore final : public SettingsStore {
 public:
  // `machine` is where the settings belong, `user` where they go when
  // `machine` refuses.
  explicit Win32SettingsStore(HKEY machine = HKEY_LOCAL_MACHINE, HKEY user = HKEY_CURRENT_USER);
  // Keys still open are closed.
  ~Win32SettingsStore() override;
  Win32SettingsStore(const Win32SettingsStore&) = delete;
  Win32SettingsStore& operator=(const Win32SettingsStore&) = delete;

  int32_t CreateKey(const char* subKey, Key& key) override;
  int32_t OpenKey(const char* subKey, Key& key) override;
  int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) override;
  int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) override;
  int32_t CloseKey(Key key) override;

 private:
  int32_t Opened(LSTATUS status, HKEY native, Key& key);

  HKEY machine_;
  HKEY user_;
  HandleTable<HKEY> keys_;
};

}  // namespace zorbulant
