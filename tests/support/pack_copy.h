// A copy of the built data pack in a temporary directory, whose files a test
// may remove, cut or replace and put back, and headless runs of the game on
// it that return the trace and the shots.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "support/png_reader.h"
#include "support/temp_directory.h"

namespace zorbulant::testing {

class PackCopy {
 public:
  PackCopy();

  const std::filesystem::path& path() const { return directory_.path(); }
  // The file names of the built pack, sorted.
  static std::vector<std::string> BuiltNames();
  // A file of the built pack.
  static std::vector<uint8_t> BuiltFile(const std::string& name);

  void Remove(const std::string& name);
  void Write(const std::string& name, const std::vector<uint8_t>& bytes);
  // Puts the built pack's own files back where they were removed or written.
  void RestoreChanged();

 private:
  TempDirectory directory_;
  std::set<std::string> changed_;
};

struct PackRun {
  int exitCode = -1;
  std::string errors;
  std::vector<nlohmann::json> turns;  // the trace, turn 1 first
  std::map<uint32_t, RgbImage> shots;

  // A trace value of a turn.
  uint32_t At(uint32_t turn, const char* name) const;
};

// Plays `script` on the data in `data` for `turnCount` turns, with a shot
// after each turn of `shotTurns`; `settings` (may be empty) is the text of the
// settings file the run reads and writes.
PackRun RunOnPack(const std::filesystem::path& data, const std::string& script, uint32_t turnCount,
                  const std::vector<uint32_t>& shotTurns, const std::string& settings = "");

// A settings file whose MaxCount lets the intro's picker reach every mission
// of the pack.
std::string AllMissionsSettings();

}  // namespace zorbulant::testing
