// The whole default pack in one headless run, as a player meets it: a new
// game from the menu plays mission 0 to mission 7 with their completion
// scripts (content/missions/levelXXX.txt) and ends on the last mission's end
// picture. After "Mission Done" the screen holds its text; then a mission
// with an end picture shows it until Enter, and the next mission's intro
// waits for Enter to start it.
//
// Each script's turns count from its level's first frame, so the run needs to
// know the turn at which each mission is done: every mission is first played
// alone (from the intro's picker, as the mission pack test does), and the
// whole run then waits a margin past each of those turns.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_run.h"
#include "flow/flow_state.h"
#include "platform/display.h"
#include "support/png_reader.h"
#include "support/temp_directory.h"
#include "world/level_search.h"

namespace zorbulant {
namespace {

const std::filesystem::path Missions =
    std::filesystem::path(ZORBULANT_SOURCE_DIR) / "content/missions";
const std::filesystem::path DataDirectory = ZORBULANT_DATA_DIR;

constexpr uint32_t MissionCount = 8;
constexpr uint32_t TextFrames = 300;  // frames "Mission Done" holds before anything else
constexpr uint32_t Margin = 30;       // turns of slack after each wait

std::string Code(uint32_t number) {
  char letters[3];
  LevelCode(number, letters);
  return std::string(letters, 3);
}

struct ScriptLine {
  uint32_t turn = 0;  // counted from the level's first frame (1)
  std::string event;  // the rest of the line, e.g. " press Right"
};

// The event lines of a completion script; comments and blank lines dropped.
std::vector<ScriptLine> ReadMission(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<ScriptLine> lines;
  for (std::string line; std::getline(file, line);) {
    const size_t digits = line.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos) continue;
    lines.push_back(
        {static_cast<uint32_t>(std::stoul(line.substr(0, digits))), line.substr(digits)});
  }
  return lines;
}

// The lines moved so that turn 1 is `first`.
void AppendMission(std::ostringstream& script, const std::vector<ScriptLine>& lines,
                   uint32_t first) {
  for (const ScriptLine& line : lines) script << first - 1 + line.turn << line.event << "\n";
}

uint32_t LastTurn(const std::vector<ScriptLine>& lines, uint32_t first) {
  uint32_t last = first;
  for (const ScriptLine& line : lines) last = std::max(last, first - 1 + line.turn);
  return last;
}

// The value of a top-level number field of a trace line, read without a full
// JSON parse: the traces of the whole pack are long.
uint32_t Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const size_t at = line.find(key);
  if (at == std::string::npos) return UINT32_MAX;
  return static_cast<uint32_t>(std::stoul(line.substr(at + key.size())));
}

struct TurnState {
  uint32_t gameState = 0;
  uint32_t levelNumber = 0;
};

class HeadlessGame {
 public:
  // Plays `script` for `turns` turns; `settings` (may be empty) is the
  // settings file's text, `shotTurn` (0: none) the turn whose screen is kept.
  bool Play(const std::string& script, uint32_t turns, const std::string& settings,
            uint32_t shotTurn, std::string& errors) {
    directory_.Write("input.txt", script);
    std::vector<std::string> arguments = {
        "zorbulant", "--headless",
        "--data",    DataDirectory.string(),
        "--turns",   std::to_string(turns),
        "--input",   (directory_.path() / "input.txt").string(),
        "--trace",   (directory_.path() / "trace.jsonl").string()};
    if (!settings.empty()) {
      directory_.Write("settings.reg", settings);
      arguments.push_back("--settings");
      arguments.push_back((directory_.path() / "settings.reg").string());
    }
    if (shotTurn != 0) {
      arguments.push_back("--shot");
      arguments.push_back(std::to_string(shotTurn) + "=" + Shot().string());
    }
    const auto options = ParseOptions(arguments, errors);
    if (!options) return false;
    std::ostringstream messages;
    const int status = RunHeadless(*options, messages);
    errors = messages.str();
    return status == 0;
  }

  // The trace, turn 1 first.
  std::vector<TurnState> States() const {
    std::ifstream lines(directory_.path() / "trace.jsonl");
    std::vector<TurnState> states;
    for (std::string line; std::getline(lines, line);) {
      states.push_back({Field(line, "GameState"), Field(line, "LevelNumber")});
    }
    return states;
  }

  std::filesystem::path Shot() const { return directory_.path() / "shot.png"; }

 private:
  testing::TempDirectory directory_;
};

const std::string AllMissionsPickable =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant]\n"
    "\"MaxCount\"=dword:00000008\n";

// The turn, counted from the level's first frame, at which the mission is
// done when played alone; nullopt when it is never done.
std::optional<uint32_t> DoneTurnAlone(uint32_t number, const std::vector<ScriptLine>& lines,
                                      std::string& errors) {
  std::ostringstream script;
  script << "2 press Enter\n3 release Enter\n";
  for (uint32_t step = 0; step < number; ++step) {
    script << 4 + 2 * step << " press Right\n" << 5 + 2 * step << " release Right\n";
  }
  const uint32_t first = 5 + 2 * number;
  script << first << " press Enter\n" << first + 1 << " release Enter\n";
  AppendMission(script, lines, first);
  HeadlessGame run;
  if (!run.Play(script.str(), LastTurn(lines, first) + TextFrames, AllMissionsPickable, 0,
                errors)) {
    return std::nullopt;
  }
  const std::vector<TurnState> states = run.States();
  for (uint32_t turn = first; turn <= states.size(); ++turn) {
    if (states[turn - 1].gameState == StateMissionDone) return turn - first + 1;
  }
  return std::nullopt;
}

bool HasEndPicture(uint32_t number) {
  return std::filesystem::exists(DataDirectory / ("lvend" + Code(number) + ".gif"));
}

// The left 320 x 200 of an end picture as the screen shows it, RGB.
std::vector<uint8_t> EndPictureOnScreen(uint32_t number) {
  const std::string path = (DataDirectory / ("lvend" + Code(number) + ".gif")).string();
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  std::vector<uint8_t> rgb;
  if (gif == nullptr) return rgb;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
    const SavedImage& image = gif->SavedImages[0];
    const int width = image.ImageDesc.Width;
    for (int y = 0; y < 200 && y < image.ImageDesc.Height; ++y) {
      for (int x = 0; x < 320 && x < width; ++x) {
        const PaletteEntry& colour = PaletteTable()[image.RasterBits[y * width + x]];
        rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
      }
    }
  }
  DGifCloseFile(gif, &error);
  return rgb;
}

TEST(WholePack, EveryMissionInOneGameThenTheEndPicture) {
  std::vector<std::vector<ScriptLine>> missions;
  std::string missing;
  for (uint32_t number = 0; number < MissionCount; ++number) {
    const std::filesystem::path path = Missions / ("level" + Code(number) + ".txt");
    if (!std::filesystem::exists(path)) missing += " level" + Code(number) + ".txt";
    missions.push_back(ReadMission(path));
  }
  if (!missing.empty()) {
    GTEST_SKIP() << "the whole pack needs all eight completion scripts; missing:" << missing;
  }
  ASSERT_TRUE(HasEndPicture(MissionCount - 1)) << "the last mission ends on its end picture";

  std::vector<uint32_t> doneAlone;
  for (uint32_t number = 0; number < MissionCount; ++number) {
    std::string errors;
    const std::optional<uint32_t> done = DoneTurnAlone(number, missions[number], errors);
    ASSERT_TRUE(done) << "level" << Code(number) << " is not done when played alone " << errors;
    doneAlone.push_back(*done);
  }

  // The whole game: menu, then each mission, its "Mission Done", its end
  // picture if it has one, and the next mission's intro.
  std::ostringstream script;
  script << "2 press Enter\n3 release Enter\n";
  uint32_t first = 5;  // the turn of the level's first frame: the intro's Enter
  std::vector<uint32_t> expectedDone;
  uint32_t shotTurn = 0;
  for (uint32_t number = 0; number < MissionCount; ++number) {
    script << first << " press Enter\n" << first + 1 << " release Enter\n";
    AppendMission(script, missions[number], first);
    const uint32_t done = first - 1 + doneAlone[number];
    expectedDone.push_back(done);
    // Keys a script still holds at the exit must not step the next intro's
    // picker: let them all go while "Mission Done" shows.
    uint32_t turn = done + Margin;
    for (const char* key : {"Left", "Right", "Up", "Down", "Ctrl", "Space"}) {
      script << turn++ << " release " << key << "\n";
    }
    uint32_t next = done + TextFrames + Margin;
    if (number == MissionCount - 1) {
      shotTurn = next;
      break;
    }
    if (HasEndPicture(number)) {
      script << next << " press Enter\n" << next + 1 << " release Enter\n";
      next += Margin;
    }
    first = next;
  }

  HeadlessGame run;
  std::string errors;
  ASSERT_TRUE(run.Play(script.str(), shotTurn, "", shotTurn, errors)) << errors;
  const std::vector<TurnState> states = run.States();
  ASSERT_GE(states.size(), shotTurn);

  // Mission Done eight times, for levels 0 to 7 in order.
  std::vector<uint32_t> doneLevels;
  std::vector<uint32_t> doneTurns;
  for (uint32_t turn = 1; turn <= shotTurn; ++turn) {
    const bool done = states[turn - 1].gameState == StateMissionDone;
    const bool before = turn > 1 && states[turn - 2].gameState == StateMissionDone;
    if (done && !before) {
      doneLevels.push_back(states[turn - 1].levelNumber);
      doneTurns.push_back(turn);
    }
  }
  std::vector<uint32_t> allLevels;
  for (uint32_t number = 0; number < MissionCount; ++number) allLevels.push_back(number);
  ASSERT_EQ(doneLevels, allLevels) << "the levels reaching Mission Done, in order";
  for (uint32_t number = 0; number < MissionCount; ++number) {
    // Later than that, the keys would have been let go before the exit.
    EXPECT_LT(doneTurns[number], expectedDone[number] + Margin)
        << "level" << Code(number) << " is done later in the whole game than alone";
  }

  // The game ends on the last mission's end picture.
  EXPECT_EQ(states[shotTurn - 1].gameState, StateMissionDone);
  const testing::RgbImage shot = testing::ReadRgbPng(run.Shot());
  ASSERT_EQ(shot.width, 320u);
  ASSERT_EQ(shot.height, 200u);
  const std::vector<uint8_t> picture = EndPictureOnScreen(MissionCount - 1);
  ASSERT_EQ(picture.size(), shot.rgb.size());
  EXPECT_TRUE(picture == shot.rgb) << "the screen shows lvend" << Code(MissionCount - 1) << ".gif";
}

}  // namespace
}  // namespace zorbulant
