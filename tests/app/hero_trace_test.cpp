// The hero's numbers as a headless trace shows them on a fixture level of our
// own: the jump's recharge, a full jump of 56 pixels while floating, and a
// fall into a bottomless pit that comes back in at the top.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/headless_run.h"
#include "support/gif_test_writer.h"
#include "support/temp_directory.h"
#include "world/level_file.h"

namespace zorbulant {
namespace {

constexpr uint32_t Floor = 300;

std::vector<nlohmann::json> RunLevel(const std::string& script) {
  testing::TempDirectory data;
  // A floor at row 300 from column 100 to 450; a pit to its right.
  testing::Picture picture{1280, 400, std::vector<uint8_t>(1280 * 400, 40)};
  for (uint32_t x = 100; x < 450; ++x) picture.pixels[Floor * 1280 + x] = 240;
  data.Write("levelaaa.gif", testing::EncodeWithGiflib({picture}, {}));
  LevelFileImage level;
  level.missionTitle = "Hero Trace";
  level.heroStartX = 400;
  level.heroStartY = Floor;
  level.levelHeight = 400;
  data.Write("levelaaa.jmp", level.Bytes());
  data.Write("input.txt",
             "2 press Enter\n3 release Enter\n5 press Enter\n6 release Enter\n" + script);
  const std::string trace = (data.path() / "trace.jsonl").string();
  std::string error;
  const auto options =
      ParseOptions({"zorbulant", "--headless", "--data", data.path().string(), "--turns", "200",
                    "--input", (data.path() / "input.txt").string(), "--trace", trace},
                   error);
  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(*options, errors), 0) << errors.str();
  std::ifstream file(trace);
  std::vector<nlohmann::json> turns;
  for (std::string line; std::getline(file, line);) turns.push_back(nlohmann::json::parse(line));
  return turns;
}

uint32_t At(const std::vector<nlohmann::json>& turns, size_t turn, const char* name) {
  return turns.at(turn - 1)[name].get<uint32_t>();
}

TEST(HeroTrace, JumpRechargesThenAFullJumpRises56) {
  // Play starts in turn 5; turns 5 to 10 stand still, then Space is held.
  const auto turns = RunLevel("11 press Space\n40 release Space\n");
  ASSERT_EQ(At(turns, 5, "GameState"), 4u);
  for (uint32_t turn = 5; turn <= 10; ++turn) {
    EXPECT_EQ(At(turns, turn, "JumpPower"), 2 * (turn - 4)) << turn;
    EXPECT_EQ(At(turns, turn, "HeroY"), Floor);
  }
  uint32_t highest = Floor;
  for (uint32_t turn = 11; turn < 40; ++turn) highest = std::min(highest, At(turns, turn, "HeroY"));
  EXPECT_EQ(Floor - highest, 56u);
  // Still held after the lift is spent: floating, one pixel per frame.
  EXPECT_EQ(At(turns, 26, "HeroY") - At(turns, 25, "HeroY"), 1u);
  EXPECT_EQ(At(turns, 26, "FallSpeed"), 0u);
}

TEST(HeroTrace, ABottomlessPitWrapsToTheTop) {
  const auto turns = RunLevel("8 press Right\n");
  // Walk right off the floor's end at column 450 and fall through the pit.
  bool wrapped = false;
  for (uint32_t turn = 9; turn < turns.size(); ++turn) {
    if (At(turns, turn + 1, "HeroY") < At(turns, turn, "HeroY")) {
      EXPECT_GE(At(turns, turn, "HeroY"), 400u) << "wrapped only below the level";
      wrapped = true;
      break;
    }
  }
  EXPECT_TRUE(wrapped);
}

}  // namespace
}  // namespace zorbulant
