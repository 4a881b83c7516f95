// Losing the focus in every state of the game. While another application is
// active no frame runs and nothing changes; the display's surfaces are lost
// meanwhile, as an exclusive display's are. Once the game is active again it
// restores them and goes on exactly as if it had never been paused: every
// trace line and every picture after a pause is the unpaused run's.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/headless_run.h"
#include "flow/flow_state.h"
#include "support/fixture_level.h"
#include "support/mission_script.h"
#include "support/temp_directory.h"
#include "world/level_object.h"

namespace zorbulant {
namespace {

using nlohmann::json;

// The game is away for `length` turns from `turn` of the unpaused run.
struct Pause {
  uint32_t turn;
  uint32_t length;
};

std::vector<std::pair<uint32_t, std::string>> ScriptLines(const std::string& script) {
  std::vector<std::pair<uint32_t, std::string>> lines;
  std::istringstream text(script);
  for (std::string line; std::getline(text, line);) {
    const size_t space = line.find(' ');
    lines.emplace_back(std::stoul(line.substr(0, space)), line.substr(space));
  }
  return lines;
}

// The script with each pause put in: "deactivate" in the pause's turn,
// "activate" `length` turns later, and every later line moved on by `length`.
// A pause's turn must hold no line of its own: one message is taken a turn.
std::string WithPauses(const std::string& script, const std::vector<Pause>& pauses) {
  std::ostringstream out;
  uint32_t shift = 0;
  size_t next = 0;
  for (const auto& [turn, rest] : ScriptLines(script)) {
    for (; next < pauses.size() && pauses[next].turn <= turn; ++next) {
      EXPECT_NE(pauses[next].turn, turn) << "a pause in a turn of the script";
      out << pauses[next].turn + shift << " deactivate\n"
          << pauses[next].turn + shift + pauses[next].length << " activate\n";
      shift += pauses[next].length;
    }
    out << turn + shift << rest << "\n";
  }
  for (; next < pauses.size(); ++next) {
    out << pauses[next].turn + shift << " deactivate\n"
        << pauses[next].turn + shift + pauses[next].length << " activate\n";
    shift += pauses[next].length;
  }
  return out.str();
}

// The unpaused run's turn that a paused run's turn shows: within a pause the
// one before the pause began.
uint32_t UnpausedTurn(uint32_t turn, const std::vector<Pause>& pauses) {
  uint32_t shift = 0;
  for (const Pause& pause : pauses) {
    if (turn < pause.turn + shift) break;
    if (turn < pause.turn + shift + pause.length) return pause.turn - 1;
    shift += pause.length;
  }
  return turn - shift;
}

uint32_t TotalLength(const std::vector<Pause>& pauses) {
  uint32_t total = 0;
  for (const Pause& pause : pauses) total += pause.length;
  return total;
}

json WithoutTurn(json line) {
  line.erase("turn");
  return line;
}

void ExpectSameRun(const std::vector<json>& unpaused, const std::vector<json>& paused,
                   const std::vector<Pause>& pauses) {
  ASSERT_EQ(paused.size(), unpaused.size() + TotalLength(pauses));
  for (uint32_t turn = 1; turn <= paused.size(); ++turn) {
    const uint32_t shown = UnpausedTurn(turn, pauses);
    ASSERT_EQ(WithoutTurn(paused[turn - 1]), WithoutTurn(unpaused[shown - 1]))
        << "turn " << turn << " of the paused run against " << shown << " of the unpaused one";
  }
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A run of the game on the built data pack with its trace and a shot of each
// turn named.
struct PackRun {
  PackRun(const std::string& script, uint32_t turns, const std::vector<uint32_t>& shotTurns) {
    const std::filesystem::path input = directory.path() / "input.txt";
    std::ofstream(input) << script;
    std::vector<std::string> arguments = {
        "zorbulant", "--headless",   "--turns", std::to_string(turns),
        "--input",   input.string(), "--trace", (directory.path() / "trace.jsonl").string()};
    for (const uint32_t turn : shotTurns) {
      arguments.push_back("--shot");
      arguments.push_back(std::to_string(turn) + "=" + Shot(turn).string());
    }
    std::string error;
    const std::optional<Options> options = ParseOptions(arguments, error);
    EXPECT_TRUE(options) << error;
    std::ostringstream errors;
    EXPECT_EQ(RunHeadless(options.value_or(Options{}), errors), 0) << errors.str();
    std::ifstream trace(directory.path() / "trace.jsonl");
    for (std::string line; std::getline(trace, line);) lines.push_back(json::parse(line));
  }
  std::filesystem::path Shot(uint32_t turn) const {
    return directory.path() / (std::to_string(turn) + ".png");
  }

  testing::TempDirectory directory;
  std::vector<json> lines;
};

// Runs `script` with and without the pauses and compares every turn, and the
// pictures a few turns after each pause.
void ExpectPausesChangeNothing(const std::string& script, uint32_t turns,
                               const std::vector<Pause>& pauses,
                               const std::vector<uint32_t>& statesPaused) {
  std::vector<uint32_t> unpausedShots, pausedShots;
  uint32_t shift = 0;
  for (const Pause& pause : pauses) {
    shift += pause.length;
    unpausedShots.push_back(pause.turn + 3);
    pausedShots.push_back(pause.turn + 3 + shift);
  }
  const PackRun unpaused(script, turns, unpausedShots);
  const PackRun paused(WithPauses(script, pauses), turns + shift, pausedShots);
  // The pauses fall in the states they are meant for.
  for (size_t i = 0; i < pauses.size(); ++i) {
    EXPECT_EQ(unpaused.lines.at(pauses[i].turn - 1)["GameState"], statesPaused[i]) << "pause " << i;
  }
  ExpectSameRun(unpaused.lines, paused.lines, pauses);
  for (size_t i = 0; i < pauses.size(); ++i) {
    EXPECT_TRUE(ReadText(paused.Shot(pausedShots[i])) == ReadText(unpaused.Shot(unpausedShots[i])))
        << "the picture three turns after pause " << i << " differs";
  }
}

TEST(FocusLoss, InTheMenusAndTheConfigurationScreen) {
  // Down to "config", into the configuration screen and out with Escape.
  ExpectPausesChangeNothing(
      "2 press Down\n3 release Down\n5 press Enter\n6 release Enter\n"
      "20 press Escape\n21 release Escape\n30 press Up\n31 release Up\n",
      40, {{4, 12}, {12, 9}, {35, 20}}, {StateMenuConfig, StateConfiguration, StateMenuGo});
}

TEST(FocusLoss, InTheIntroThePlayAndMissionDone) {
  const testing::MissionScript script = testing::PlayMission("levelaaa", 0);
  // Mission Done comes a little after the script's last line.
  const uint32_t last = script.lastTurn;
  ExpectPausesChangeNothing(script.text, last + 120,
                            {{4, 15}, {300, 30}, {1500, 7}, {last + 60, 25}},
                            {StateMissionIntro, StateInGame, StateInGame, StateMissionDone});
}

TEST(FocusLoss, WhileTheHeroIsLost) {
  // A deadly barrier in the hero's way in a room of our own.
  auto run = [](const std::vector<Pause>& pauses) {
    testing::FixtureLevel level;
    testing::Picture room{1280, 400, std::vector<uint8_t>(1280 * 400, 2)};
    std::fill(room.pixels.begin() + 300 * 1280, room.pixels.begin() + 320 * 1280, 250);
    LevelFileImage image;
    image.missionTitle = "Focus";
    image.musicName = "nomusic0";
    image.heroStartX = 200;
    image.heroStartY = 300;
    image.levelHeight = 400;
    image.exitX = 900;
    image.exitY = 250;
    image.exitWidth = 40;
    image.exitHeight = 60;
    std::array<uint32_t, 32> barrier{};
    for (const auto& [offset, value] :
         std::initializer_list<std::pair<uint32_t, uint32_t>>{{field::Type, ObjectBarrier},
                                                              {field::X, 240},
                                                              {field::Y, 240},
                                                              {field::FrameShift, 9},
                                                              {field::ColourBitSet, 255},
                                                              {field::OffColour, 255},
                                                              {field::FieldHeight, 30},
                                                              {field::FieldWidth, 20},
                                                              {field::ColourBitClear, 174}}) {
      barrier[offset / 4] = value;
    }
    image.objects = {barrier};
    level.Write(image, room);
    level.Run(WithPauses("8 press Right\n", pauses), 160 + TotalLength(pauses));
    return level.turns;
  };
  const std::vector<json> unpaused = run({});
  uint32_t lost = 0;
  while (lost < unpaused.size() && unpaused[lost]["GameState"] != StateHeroLost) ++lost;
  ASSERT_LT(lost + 10, unpaused.size()) << "the barrier killed the hero in time";
  EXPECT_EQ(unpaused[lost + 2]["GameState"], StateHeroLost) << "the pause falls in the state";
  const std::vector<Pause> pauses = {{lost + 3, 20}};
  ExpectSameRun(unpaused, run(pauses), pauses);
}

}  // namespace
}  // namespace zorbulant
