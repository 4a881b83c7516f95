// Demos through the headless runner: a recorded mission replays to the same
// trace and pictures, a timedemo counts its frames, and a demo of other data,
// a damaged demo or one that leads elsewhere is refused or reported.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/headless_run.h"
#include "support/mission_script.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

Options HeadlessOptions(std::vector<std::string> arguments, std::string* error = nullptr) {
  arguments.insert(arguments.begin(), {"zorbulant", "--headless"});
  std::string problem;
  const std::optional<Options> options = ParseOptions(arguments, problem);
  if (error != nullptr) *error = problem;
  return options.value_or(Options{});
}

class DemoRun : public ::testing::Test {
 protected:
  // Records the first mission once for all tests: to Mission Done and on to
  // the next mission's intro.
  static void SetUpTestSuite() {
    directory_ = new testing::TempDirectory;
    WriteText(Path("mission.txt"), testing::PlayMission("levelaaa", 0).text);
    std::ostringstream errors;
    recordStatus_ =
        RunHeadless(HeadlessOptions({"--input", Path("mission.txt"), "--turns", "2900", "--record",
                                     Path("mission.zdm"), "--trace", Path("recorded.jsonl"),
                                     "--shot", "1500=" + Path("recorded.png")}),
                    errors);
    recordErrors_ = errors.str();
  }
  static void TearDownTestSuite() { delete directory_; }

  static std::string Path(const std::string& name) { return (directory_->path() / name).string(); }

  static testing::TempDirectory* directory_;
  static int recordStatus_;
  static std::string recordErrors_;
};

testing::TempDirectory* DemoRun::directory_ = nullptr;
int DemoRun::recordStatus_ = -1;
std::string DemoRun::recordErrors_;

TEST_F(DemoRun, AReplayRepeatsEveryTurnAndPictureAndLeavesTheSettingsAlone) {
  ASSERT_EQ(recordStatus_, 0) << recordErrors_;
  const std::string recorded = ReadText(Path("recorded.jsonl"));
  ASSERT_NE(recorded.find("\"GameState\":6"), std::string::npos) << "no Mission Done recorded";

  std::ostringstream errors;
  EXPECT_EQ(
      RunHeadless(HeadlessOptions({"--play", Path("mission.zdm"), "--trace", Path("replayed.jsonl"),
                                   "--shot", "1500=" + Path("replayed.png"), "--settings",
                                   Path("player.reg")}),
                  errors),
      0)
      << errors.str();
  EXPECT_EQ(ReadText(Path("replayed.jsonl")), recorded);
  EXPECT_EQ(ReadText(Path("replayed.png")), ReadText(Path("recorded.png")));
  // Mission Done saved MaxCount while recording; the replay writes nothing.
  EXPECT_FALSE(std::filesystem::exists(Path("player.reg")));
}

TEST_F(DemoRun, ATimedemoPrintsItsFramesAndChecksItsEnd) {
  ASSERT_EQ(recordStatus_, 0) << recordErrors_;
  std::ostringstream errors, output;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--timedemo", Path("mission.zdm")}), errors, output), 0)
      << errors.str();
  const std::string printed = output.str();
  EXPECT_EQ(printed.rfind("timedemo: 2901 turns, ", 0), 0u) << printed;
  // About a picture per turn; the first turn's belong to start-up.
  unsigned frames = 0;
  ASSERT_EQ(std::sscanf(printed.c_str(), "timedemo: %*u turns, %u frames", &frames), 1);
  EXPECT_GT(frames, 2800u);
  EXPECT_LT(frames, 3000u);
  EXPECT_NE(printed.find(" frames per second\n"), std::string::npos);
}

TEST_F(DemoRun, ADemoOfOtherDataIsRefusedWithTheFileThatDiffers) {
  ASSERT_EQ(recordStatus_, 0) << recordErrors_;
  const std::filesystem::path data = directory_->path() / "data";
  std::filesystem::copy(ZORBULANT_DATA_DIR, data);
  std::string level = ReadText(data / "levelaaa.jmp");
  level[level.size() / 2] = static_cast<char>(level[level.size() / 2] ^ 1);
  WriteText(data / "levelaaa.jmp", level);

  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--play", Path("mission.zdm"), "--data", data.string()}),
                        errors),
            2);
  EXPECT_NE(errors.str().find("was recorded with other data: levelaaa.jmp differs"),
            std::string::npos)
      << errors.str();
}

TEST_F(DemoRun, AReplayThatLeadsElsewhereTellsWhereAndFails) {
  ASSERT_EQ(recordStatus_, 0) << recordErrors_;
  std::string demo = ReadText(Path("mission.zdm"));
  // The hero's first step right becomes a step left.
  const size_t right = demo.find(" m100,0,14d0001", demo.find("\n6 "));
  ASSERT_NE(right, std::string::npos);
  demo.replace(right, 15, " m100,0,14b0001");
  WriteText(Path("left.zdm"), demo);

  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--play", Path("left.zdm")}), errors), 3);
  EXPECT_NE(errors.str().find("went its own way at turn "), std::string::npos) << errors.str();

  WriteText(Path("cut.zdm"), demo.substr(0, demo.size() / 2));
  errors.str("");
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--play", Path("cut.zdm")}), errors), 2);
  EXPECT_NE(errors.str().find("the demo ends early"), std::string::npos) << errors.str();
}

TEST(DemoOptions, ConflictingDemoArgumentsAreRefused) {
  std::string error;
  HeadlessOptions({"--record", "a.zdm", "--play", "b.zdm"}, &error);
  EXPECT_EQ(error, "a session cannot record a demo while it plays one");
  HeadlessOptions({"--play", "b.zdm", "--input", "keys.txt"}, &error);
  EXPECT_EQ(error, "a demo brings its own input; --input cannot go with --play");
  ParseOptions({"zorbulant", "--timedemo", "b.zdm"}, error);
  EXPECT_EQ(error, "--timedemo runs headless only; add --headless");
}

}  // namespace
}  // namespace zorbulant
