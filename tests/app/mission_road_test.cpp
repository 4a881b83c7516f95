// A headless run over fixture levels of our own: menu, intro, picker, level
// start, play, Escape, menu again, as the trace records it turn by turn.
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

TEST(MissionRoad, MenuIntroPickerPlayAndBack) {
  testing::TempDirectory data;
  for (uint32_t n = 0; n < 2; ++n) {
    LevelFileImage level;
    level.missionTitle = n == 0 ? "Training Ground" : "Second Mission";
    level.musicName = "nomusic0";
    level.heroStartX = 200 + n;
    level.heroStartY = 100;
    level.levelWidth = 1280;
    level.levelHeight = 400;
    const std::string code = std::string("aa") + static_cast<char>('a' + n);
    data.Write("level" + code + ".jmp", level.Bytes());
    testing::Picture picture{1280, 400, std::vector<uint8_t>(1280 * 400, 40)};
    data.Write("level" + code + ".gif", testing::EncodeWithGiflib({picture}, {}));
  }
  data.Write("input.txt", std::string("2 press Enter   # go\n"
                                      "3 release Enter\n"
                                      "5 press Right   # the picker steps to mission 1\n"
                                      "6 release Right\n"
                                      "8 press Enter   # set-up and level start\n"
                                      "9 release Enter\n"
                                      "12 press Escape # back to the menu\n"
                                      "14 release Escape\n"));
  const std::string trace = (data.path() / "trace.jsonl").string();
  std::string error;
  const auto options =
      ParseOptions({"zorbulant", "--headless", "--data", data.path().string(), "--turns", "15",
                    "--input", (data.path() / "input.txt").string(), "--trace", trace},
                   error);
  ASSERT_TRUE(options) << error;
  std::ostringstream errors;
  ASSERT_EQ(RunHeadless(*options, errors), 0) << errors.str();

  std::ifstream file(trace);
  std::vector<nlohmann::json> turns;
  for (std::string line; std::getline(file, line);) turns.push_back(nlohmann::json::parse(line));
  ASSERT_GE(turns.size(), 15u);
  auto at = [&](size_t turn, const char* name) { return turns[turn - 1][name].get<uint32_t>(); };
  EXPECT_EQ(at(1, "GameState"), 0u);
  EXPECT_EQ(at(2, "GameState"), 9u);
  EXPECT_EQ(at(4, "LevelNumber"), 0u);
  EXPECT_EQ(at(5, "LevelNumber"), 1u);
  EXPECT_EQ(at(7, "GameState"), 9u);
  EXPECT_EQ(at(8, "GameState"), 4u);
  EXPECT_EQ(at(8, "HeroX"), 201u);
  EXPECT_EQ(at(8, "HeroHealth"), 256u);
  EXPECT_EQ(at(11, "GameState"), 4u);
  EXPECT_EQ(at(12, "GameState"), 12u);
  EXPECT_EQ(at(13, "GameState"), 0u);
  EXPECT_EQ(at(13, "LevelNumber"), 1u) << "the mission number survives the menu";
}

}  // namespace
}  // namespace zorbulant
