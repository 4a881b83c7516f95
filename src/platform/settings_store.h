// The game's three settings between runs: what the game used of the registry
// (RegCreateKeyExA, RegOpenKeyExA, RegSetValueExA, RegQueryValueExA, RegCloseKey
// under HKEY_LOCAL_MACHINE). Results are the registry's error codes.
#pragma once

#include <cstdint>

namespace zorbulant {

namespace registry {
inline constexpr int32_t Success = 0;
inline constexpr int32_t FileNotFound = 2;
inline constexpr int32_t AccessDenied = 5;
inline constexpr int32_t InvalidHandle = 6;
inline constexpr int32_t MoreData = 234;

inline constexpr uint32_t TypeBinary = 3;
inline constexpr uint32_t TypeDword = 4;
}  // namespace registry

class SettingsStore {
 public:
  using Key = uint32_t;
  virtual ~SettingsStore() = default;

  // Opens `subKey`, creating it when it does not exist.
  virtual int32_t CreateKey(const char* subKey, Key& key) = 0;
  virtual int32_t OpenKey(const char* subKey, Key& key) = 0;
  virtual int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                           uint32_t size) = 0;
  // `size` gives the room behind `data` and receives the value's size. A value
  // larger than the room gives MoreData.
  virtual int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) = 0;
  virtual int32_t CloseKey(Key key) = 0;
};

}  // namespace zorbulant
