// The three settings kept between runs, and the parameter record through which
// every access to the settings store goes.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

inline constexpr const char* SettingsKey = "SOFTWARE\\Quillmarsh\\Zorbulant";

struct Settings {
  uint32_t FrameLimit = 7;       // minimum milliseconds per timed frame
  uint32_t Amplification = 300;  // output amplification of the sound library
  uint32_t MaxCount = 1;         // highest mission reached
};

struct RegistryJob {
  uint32_t KeyHandle = 0;
  const char* SubKey = SettingsKey;
  int32_t Status = 0;
  const char* ValueName = nullptr;
  uint32_t* Data = nullptr;
  uint32_t Size = 4;      // bytes stored by a write
  uint32_t ReadSize = 4;  // room offered to a read, then the size it found
};

// Stores *Data under ValueName, creating the key when needed; Status 0 on success.
void WriteSetting(Game& game);
// Reads ValueName into *Data; Status 0 on success.
void ReadSetting(Game& game);
// Loads FrameLimit, Amplification and MaxCount at start-up; missing or unreadable
// values keep their defaults. Hands the amplification to the sound library.
void LoadSettings(Game& game);
// Stores one setting under its stored name, as the configuration and
// mission-done screens do.
void SaveSetting(Game& game, const char* name, uint32_t& value);

}  // namespace zorbulant
