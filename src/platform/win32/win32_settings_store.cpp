// Registry access with the game's 32-bit key handles.
#include "platform/win32/win32_settings_store.h"

namespace zorbulant {

namespace {

// Query value, set value, create sub-key, enumerate sub-keys, notify and
// create link: what the game asks for on every key it opens.
constexpr REGSAM Access = 0x3F;

LSTATUS Create(HKEY root, const char* subKey, HKEY& key) {
  char noClass[] = "";
  DWORD disposition = 0;
  return ::RegCreateKeyExA(root, subKey, 0, noClass, 0, Access, nullptr, &key, &disposition);
}

}  // namespace

Win32SettingsStore::Win32SettingsStore(HKEY machine, HKEY user) : machine_(machine), user_(user) {}

Win32SettingsStore::~Win32SettingsStore() {
  keys_.Clear([](HKEY key) { ::RegCloseKey(key); });
}

int32_t Win32SettingsStore::Opened(LSTATUS status, HKEY native, Key& key) {
  key = status == ERROR_SUCCESS ? keys_.Add(native) : 0;
  return status;
}

int32_t Win32SettingsStore::CreateKey(const char* subKey, Key& key) {
  HKEY native = nullptr;
  LSTATUS status = Create(machine_, subKey, native);
  if (status == ERROR_ACCESS_DENIED) status = Create(user_, subKey, native);
  return Opened(status, native, key);
}

int32_t Win32SettingsStore::OpenKey(const char* subKey, Key& key) {
  HKEY native = nullptr;
  LSTATUS status = ::RegOpenKeyExA(machine_, subKey, 0, Access, &native);
  // Settings that could not be written to the machine's key are the user's;
  // they are found also when the machine has no such key at all.
  if ((status == ERROR_ACCESS_DENIED || status == ERROR_FILE_NOT_FOUND) &&
      ::RegOpenKeyExA(user_, subKey, 0, Access, &native) == ERROR_SUCCESS) {
    status = ERROR_SUCCESS;
  }
  return Opened(status, native, key);
}

int32_t Win32SettingsStore::SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                                     uint32_t size) {
  const std::optional<HKEY> native = keys_.Find(key);
  if (!native) return registry::InvalidHandle;
  return ::RegSetValueExA(*native, name, 0, type, data, size);
}

int32_t Win32SettingsStore::QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) {
  const std::optional<HKEY> native = keys_.Find(key);
  if (!native) return registry::InvalidHandle;
  // The stored type is not asked for: a 4-byte REG_DWORD reads like the
  // game's own REG_BINARY values.
  DWORD room = size;
  const LSTATUS status = ::RegQueryValueExA(*native, name, nullptr, nullptr, data, &room);
  size = room;
  return status;
}

int32_t Win32SettingsStore::CloseKey(Key key) {
  const std::optional<HKEY> native = keys_.Remove(key);
  if (!native) return registry::InvalidHandle;
  return ::RegCloseKey(*native);
}

}  // namespace zorbulant
