// A headless run of the whole game on a fixture level of our own, with the
// built data pack's pictures and sounds: the level file, its picture and its
// sprites are written into a fresh data directory, an input script plays it,
// and the trace and shots come back.
#pragma once

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/gif_test_writer.h"
#include "support/temp_directory.h"
#include "world/level_file.h"

namespace zorbulant::testing {

// The turn in which play starts after the script's first lines (menu, intro).
inline constexpr uint32_t FirstPlayTurn = 5;

class FixtureLevel {
 public:
  FixtureLevel();

  void Write(const LevelFileImage& level, const Picture& picture) const;
  // The level's own sprites, decoded right behind the HeroSheet.
  void WriteGraphics(const std::vector<uint8_t>& bytes) const;

  // Plays `script` (turns counted as the runner counts them) after the menu
  // and the intro lines, for `turns` turns, taking a shot at each turn named.
  void Run(const std::string& script, uint32_t turns,
           const std::map<uint32_t, std::string>& shots = {});

  // A trace value of a turn.
  uint32_t At(uint32_t turn, const char* name) const;
  // [Type, X, Y, HitPoints] of object record k in a turn.
  std::vector<uint32_t> Object(uint32_t turn, uint32_t k) const;
  std::filesystem::path Shot(const std::string& name) const { return data_.path() / name; }

  std::vector<nlohmann::json> turns;

 private:
  TempDirectory data_;
};

}  // namespace zorbulant::testing
