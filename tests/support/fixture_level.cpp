// Headless runs on fixture levels.
#include "support/fixture_level.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/headless_run.h"

namespace zorbulant::testing {

FixtureLevel::FixtureLevel() {
  for (const auto& entry : std::filesystem::directory_iterator(ZORBULANT_DATA_DIR)) {
    std::filesystem::copy_file(entry.path(), data_.path() / entry.path().filename());
  }
}

void FixtureLevel::Write(const LevelFileImage& level, const Picture& picture) const {
  data_.Write("levelaaa.jmp", level.Bytes());
  data_.Write("levelaaa.gif", EncodeWithGiflib({picture}, {}));
}

void FixtureLevel::WriteGraphics(const std::vector<uint8_t>& bytes) const {
  const auto width = static_cast<uint32_t>(bytes.size());
  data_.Write("lvlgxaaa.gif", EncodeWithGiflib({Picture{width, 1, bytes}}, {}));
}

void FixtureLevel::Run(const std::string& script, uint32_t turnCount,
                       const std::map<uint32_t, std::string>& shots) {
  data_.Write("input.txt",
              "2 press Enter\n3 release Enter\n5 press Enter\n6 release Enter\n" + script);
  const std::string trace = (data_.path() / "trace.jsonl").string();
  std::vector<std::string> arguments = {"zorbulant", "--headless",
                                        "--data",    data_.path().string(),
                                        "--turns",   std::to_string(turnCount),
                                        "--input",   (data_.path() / "input.txt").string(),
                                        "--trace",   trace};
  for (const auto& [turn, name] : shots) {
    arguments.push_back("--shot");
    arguments.push_back(std::to_string(turn) + "=" + (data_.path() / name).string());
  }
  std::string error;
  const auto options = ParseOptions(arguments, error);
  ASSERT_TRUE(options) << error;
  std::ostringstream errors;
  ASSERT_EQ(RunHeadless(*options, errors), 0) << errors.str();
  std::ifstream file(trace);
  turns.clear();
  for (std::string line; std::getline(file, line);) turns.push_back(nlohmann::json::parse(line));
}

uint32_t FixtureLevel::At(uint32_t turn, const char* name) const {
  return turns.at(turn - 1)[name].get<uint32_t>();
}

std::vector<uint32_t> FixtureLevel::Object(uint32_t turn, uint32_t k) const {
  return turns.at(turn - 1)["Objects"].at(k).get<std::vector<uint32_t>>();
}

}  // namespace zorbulant::testing
