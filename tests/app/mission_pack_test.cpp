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
#include "support/temp_directory.h"
#include "world/level_search.h"

namespace zorbulant {
namespace {

const std::filesystem::path Missions =
    std::filesystem::path(ZORBULANT_SOURCE_DIR) / "content/missions";

// The turn of the level's first frame when the picker steps `steps` times.
uint32_t FirstLevelTurn(uint32_t steps) { return 5 + 2 * steps; }

uint32_t LevelNumberOf(const std::string& code) {
  for (uint32_t n = 0; n < 4096; ++n) {
    char letters[3];
    LevelCode(n, letters);
    if (code == std::string(letters, 3)) return n;
  }
  return 4096;
}

// The whole input script: menu, intro, picker, then the mission's lines with
// their turns moved to the run's.
std::string RunScript(const std::string& mission, uint32_t number, uint32_t& lastTurn) {
  std::ostringstream script;
  script << "2 press Enter\n3 release Enter\n";
  for (uint32_t step = 0; step < number; ++step) {
    script << 4 + 2 * step << " press Right\n" << 5 + 2 * step << " release Right\n";
  }
  const uint32_t first = FirstLevelTurn(number);
  script << first << " press Enter\n" << first + 1 << " release Enter\n";
  std::istringstream lines(mission);
  lastTurn = first;
  for (std::string line; std::getline(lines, line);) {
    const size_t digits = line.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos) {
      script << line << "\n";
      continue;
    }
    const uint32_t turn = first - 1 + static_cast<uint32_t>(std::stoul(line.substr(0, digits)));
    lastTurn = std::max(lastTurn, turn);
    script << turn << line.substr(digits) << "\n";
  }
  return script.str();
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
  std::ifstream file(Missions / (name + ".txt"));
  std::stringstream mission;
  mission << file.rdbuf();

  testing::TempDirectory run;
  uint32_t lastTurn = 0;
  run.Write("input.txt", RunScript(mission.str(), number, lastTurn));
  // Every mission may be picked.
  run.Write("settings.reg",
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant]\n"
            "\"MaxCount\"=dword:00000008\n");
  const std::string trace = (run.path() / "trace.jsonl").string();
  std::string error;
  const auto options =
      ParseOptions({"zorbulant", "--headless", "--data", ZORBULANT_DATA_DIR, "--turns",
                    std::to_string(lastTurn + 300), "--input", (run.path() / "input.txt").string(),
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
    if (turn == FirstLevelTurn(number)) {
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
