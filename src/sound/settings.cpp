// Reading and writing the settings through the platform's settings store.
#include "sound/settings.h"

#include "flow/game.h"

namespace zorbulant {

void WriteSetting(Game& game) {
  RegistryJob& job = game.registry;
  SettingsStore& store = game.platform.settings;
  SettingsStore::Key key = 0;
  const int32_t created = store.CreateKey(job.SubKey, key);
  job.KeyHandle = key;
  job.Status = 1;
  if (created != registry::Success) return;
  job.Status = store.SetValue(key, job.ValueName, registry::TypeBinary,
                              reinterpret_cast<const uint8_t*>(job.Data), job.Size);
  store.CloseKey(key);
}

void ReadSetting(Game& game) {
  RegistryJob& job = game.registry;
  SettingsStore& store = game.platform.settings;
  SettingsStore::Key key = 0;
  job.Status = store.OpenKey(job.SubKey, key);
  job.KeyHandle = key;
  if (job.Status != registry::Success) return;
  job.Status =
      store.QueryValue(key, job.ValueName, reinterpret_cast<uint8_t*>(job.Data), job.ReadSize);
  store.CloseKey(key);
}

void LoadSettings(Game& game) {
  RegistryJob& job = game.registry;
  const struct {
    const char* name;
    uint32_t* value;
  } settings[] = {{"FrameLimit", &game.settings.FrameLimit},
                  {"Amplification", &game.settings.Amplification},
                  {"MaxCount", &game.settings.MaxCount}};
  for (const auto& setting : settings) {
    job.SubKey = SettingsKey;
    job.ValueName = setting.name;
    job.Data = setting.value;
    // Every read offers the whole 4-byte setting again: a short or oversized
    // value found by the read before must not shrink or widen the next one's room.
    job.ReadSize = 4;
    const uint32_t remembered = *setting.value;
    ReadSetting(game);
    if (job.Status != registry::Success) *setting.value = remembered;
  }
  game.platform.sound.SetAmplification(game.settings.Amplification);
}

void SaveSetting(Game& game, const char* name, uint32_t& value) {
  RegistryJob& job = game.registry;
  job.SubKey = SettingsKey;
  job.ValueName = name;
  job.Data = &value;
  job.Size = 4;
  WriteSetting(game);
}

}  // namespace zorbulant
