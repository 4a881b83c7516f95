// A game in the middle of a level, built in memory: object records, solid
// pixels in the level picture, shots in their tables, and the sounds played.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "support/test_platform.h"
#include "world/level_object.h"
#include "world/shot_table.h"

namespace zorbulant::testing {

using ObjectWords = std::array<uint32_t, 32>;

// Words of a record by byte offset, for the fields a test names.
inline ObjectWords Record(std::initializer_list<std::pair<uint32_t, uint32_t>> fields) {
  ObjectWords words{};
  for (const auto& [offset, value] : fields) words[offset / 4] = value;
  return words;
}

struct LevelWorld {
  LevelWorld() {
    game.sound.SoundAvailable = 1;
    // Handles that tell the samples apart.
    for (uint32_t i = 0; i < game.sound.SampleTable.size(); ++i) {
      game.sound.SampleTable[i].Handle = 100 + i;
    }
    game.sound.LevelSample1 = 201;
    game.sound.LevelSample2 = 202;
    game.hero.HeroHealth = 256;
    game.hero.WeaponFlags = WeaponPistol;
    game.hero.LevelWidth = 1280;
    game.hero.LevelHeight = 800;
    EndListAt(0);
  }

  // Puts a record at the next place of the list, the end of the list after it.
  LevelObject Add(const ObjectWords& words) {
    LevelObject object(game.work, objectCount);
    for (uint32_t word = 0; word < 32; ++word) object.Set(4 * word, words[word]);
    EndListAt(++objectCount);
    return object;
  }
  // Starts the list again from record 0.
  void ClearObjects() {
    objectCount = 0;
    EndListAt(0);
  }
  LevelObject Object(uint32_t index) { return LevelObject(game.work, index); }
  void EndListAt(uint32_t index) {
    if (index < levelfile::MaxObjectRecords) LevelObject(game.work, index).Set(field::Type, 7);
  }

  void Paint(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint8_t value = 255) {
    for (uint32_t row = y; row < y + height; ++row) {
      std::fill_n(game.work.at(regions::LevelPicture) + row * 1280 + x, width, value);
    }
  }
  uint8_t Scene(uint32_t x, uint32_t y) const {
    return game.work.at(regions::SceneBuffer)[y * 1280 + x];
  }
  void ClearScene() {
    std::fill_n(game.work.at(regions::SceneBuffer), regions::SceneBuffer.size, uint8_t{0});
  }

  uint32_t HeroShot(uint32_t slot, ShotWord word) const {
    return GetShotWord(game.work, regions::HeroShotTable, slot, word);
  }
  uint32_t EnemyShot(uint32_t slot, ShotWord word) const {
    return GetShotWord(game.work, regions::EnemyShotTable, slot, word);
  }
  void SetHeroShot(uint32_t slot, uint32_t active, uint32_t x, uint32_t y, uint32_t weapon,
                   uint32_t facing) {
    const Region table = regions::HeroShotTable;
    SetShotWord(game.work, table, slot, ShotActive, active);
    SetShotWord(game.work, table, slot, ShotX, x);
    SetShotWord(game.work, table, slot, ShotY, y);
    SetShotWord(game.work, table, slot, ShotWeapon, weapon);
    SetShotWord(game.work, table, slot, ShotFacing, facing);
  }

  // The PlaySample calls so far, each as "33(handle,65535,0,rate,volume,panning)".
  std::vector<std::string> Sounds() const { return platform.sound.CallsStartingWith("33"); }
  std::string Sound(uint32_t handle, uint32_t rate, uint32_t volume, int32_t panning) const {
    return "33(" + std::to_string(handle) + ",65535,0," + std::to_string(rate) + "," +
           std::to_string(volume) + "," + std::to_string(static_cast<uint32_t>(panning)) + ")";
  }
  std::string Sound(Sample sample, uint32_t rate, uint32_t volume, int32_t panning) const {
    return Sound(game.sound.SampleTable[sample].Handle, rate, volume, panning);
  }

  TestGame test;
  TestPlatform& platform = test.platform;
  Game& game = test.game;
  uint32_t objectCount = 0;
};

}  // namespace zorbulant::testing
