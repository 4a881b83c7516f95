// Every mission of the default pack is played to "Mission Done" by its
// completion script, content/missions/levelXXX.txt. A script holds the input
// lines of the level alone, its turns counted from the level's first frame
// (turn 1); the run first goes from the menu through the intro, where the
// picker steps to the mission, and starts it with Enter.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/headless_run.h"
#include "flow/flow_state.h"
#include "support/mission_script.h"
#include "support/temp_directory.h"
#include "world/level_search.h"

namespace zorbulant {
namespace {

const std::filesystem::path Missions =
    std::filesystem::path(ZORBULANT_SOURCE_DIR) / "content/missions";

uint32_t LevelNumberOf(const std::string& code) {
  for (uint32_t n = 0; n < 4096; ++n) {
    char letters[3];
    LevelCode(n, letters);
    if (code == std::string(letters, 3)) return n;
  }
  return 4096;
}

std::vector<std::string> MissionFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Missions)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class MissionPack : public ::testing::TestWithParam<std::string> {};

TEST_P(MissionPack, CompletionScriptReachesMissionDone) {
  const std::string name = GetParam();
  ASSERT_EQ(name.rfind("level", 0), 0u) << name;
  const uint32_t number = LevelNumberOf(name.substr(5));
  ASSERT_LT(number, 8u) << name;

  testing::TempDirectory run;
  const testing::MissionScript script = testing::PlayMission(name, number);
  run.Write("input.txt", script.text);
  // Every mission may be picked.
  run.Write("settings.reg",
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant]\n"
            "\"MaxCount\"=dword:00000008\n");
  const std::string trace = (run.path() / "trace.jsonl").string();
  std::string error;
  const auto options = ParseOptions(
      {"zorbulant", "--headless", "--data", ZORBULANT_DATA_DIR, "--turns",
       std::to_string(script.lastTurn + 300), "--input", (run.path() / "input.txt").string(),
       "--trace", trace, "--settings", (run.path() / "settings.reg").string()},
      error);
  ASSERT_TRUE(options) << error;
  std::ostringstream errors;
  ASSERT_EQ(RunHeadless(*options, errors), 0) << errors.str();

  std::ifstream lines(trace);
  uint32_t done = 0;
  uint32_t turn = 0;
  std::string last;
  for (std::string line; std::getline(lines, line) && done == 0;) {
    const auto state = nlohmann::json::parse(line);
    ++turn;
    if (turn == testing::FirstLevelTurn(number)) {
      ASSERT_EQ(state["GameState"].get<uint32_t>(), StateInGame) << "the mission did not start";
      ASSERT_EQ(state["LevelNumber"].get<uint32_t>(), number);
    }
    if (state["GameState"].get<uint32_t>() == StateMissionDone) done = turn;
    last = line;
  }
  EXPECT_NE(done, 0u) << name << " never reached Mission Done; its last turn: " << last;
}

INSTANTIATE_TEST_SUITE_P(Missions, MissionPack, ::testing::ValuesIn(MissionFiles()),
                         [](const ::testing::TestParamInfo<std::string>& mission) {
                           return mission.param;
                         });

}  // namespace
}  // namespace zorbulant
