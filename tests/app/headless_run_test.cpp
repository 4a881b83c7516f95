// The headless runner's contract: start-up pictures decoded and shown, traces
// and shots per turn, byte-identical repeats, and clear errors with exit code 2.
#include "app/headless_run.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "flow/flow_state.h"
#include "flow/main_menu.h"
#include "platform/display.h"
#include "sound/sound_engine.h"
#include "support/png_reader.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

// A picture of the data pack as giflib decodes it.
std::vector<uint8_t> OraclePixels(const std::string& name) {
  int error = 0;
  const std::string path = std::string(ZORBULANT_DATA_DIR) + "/" + name;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  EXPECT_NE(gif, nullptr) << path;
  if (gif == nullptr) return {};
  EXPECT_EQ(DGifSlurp(gif), GIF_OK);
  const SavedImage& image = gif->SavedImages[0];
  std::vector<uint8_t> pixels(image.RasterBits,
                              image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
  DGifCloseFile(gif, &error);
  return pixels;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

Options HeadlessOptions(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"zorbulant", "--headless"});
  std::string error;
  const std::optional<Options> options = ParseOptions(arguments, error);
  EXPECT_TRUE(options.has_value()) << error;
  return options.value_or(Options{});
}

TEST(HeadlessRun, ShotShowsTheMenuBackgroundAndStillButtonsPixelForPixel) {
  testing::TempDirectory out;
  const auto shot = out.path() / "menu.png";
  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--turns", "3", "--shot", "2=" + shot.string()}), errors),
            0)
      << errors.str();

  // The expected screen: the background with the config and exit buttons' front
  // faces over it; the selected "go" button turns, so its box is left out.
  std::vector<uint8_t> expected = OraclePixels("menuback.gif");
  ASSERT_EQ(expected.size(), 64000u);
  const char* files[] = {"go.gif", "config.gif", "exit.gif"};
  for (uint32_t index = 1; index < 3; ++index) {
    const MenuButton& button = MenuButtons[index];
    const std::vector<uint8_t> face = OraclePixels(files[index]);
    for (uint32_t y = 0; y < button.height; ++y) {
      for (uint32_t x = 0; x < button.width; ++x) {
        const uint8_t pixel = face[y * button.width + x];
        if (pixel != 0) expected[(button.row + y) * 320 + button.column + x] = pixel;
      }
    }
  }
  const testing::RgbImage image = testing::ReadRgbPng(shot);
  ASSERT_EQ(image.width, 320u);
  ASSERT_EQ(image.height, 200u);
  const MenuButton& go = MenuButtons[0];
  uint32_t compared = 0;
  for (uint32_t y = 0; y < 200; ++y) {
    for (uint32_t x = 0; x < 320; ++x) {
      if (x >= go.column && x < go.column + go.width && y >= go.row && y < go.row + go.height) {
        continue;
      }
      const PaletteEntry& colour = PaletteTable()[expected[y * 320 + x]];
      const uint8_t* got = &image.rgb[(y * 320 + x) * 3];
      ASSERT_TRUE(got[0] == colour.red && got[1] == colour.green && got[2] == colour.blue)
          << "pixel " << x << "," << y;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 64000u - 80 * 32);
}

TEST(HeadlessRun, TraceHasOneLinePerTurnAndRepeatsExactly) {
  testing::TempDirectory out;
  out.Write("input.txt", std::string("2 press Down\n3 release Down\n4 press KP*\n"));
  auto run = [&](const std::string& name) {
    std::ostringstream errors;
    const Options options = HeadlessOptions(
        {"--turns", "5", "--input", (out.path() / "input.txt").string(), "--trace",
         (out.path() / name).string(), "--shot", "5=" + (out.path() / (name + ".png")).string()});
    EXPECT_EQ(RunHeadless(options, errors), 0) << errors.str();
    return ReadText(out.path() / name);
  };
  const std::string trace = run("a.jsonl");
  EXPECT_EQ(trace, run("b.jsonl"));
  EXPECT_EQ(ReadText(out.path() / "a.jsonl.png"), ReadText(out.path() / "b.jsonl.png"));

  std::vector<nlohmann::json> lines;
  std::istringstream stream(trace);
  for (std::string line; std::getline(stream, line);) lines.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(lines.size(), 6u) << "turns 1 to 5, and the turn that takes the close";
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i]["turn"], i + 1);
    if (i > 0) {
      EXPECT_GT(lines[i]["clock"], lines[i - 1]["clock"]) << "every frame flips";
    }
  }
  // A 70 Hz refresh: the first flip waits until 1/70 s, rounded down to 14 ms.
  EXPECT_EQ(lines[0]["clock"], 14);
  EXPECT_EQ(lines[1]["GameState"], 1) << "Down moved the cursor to config";
  EXPECT_EQ(lines[3]["Amplification"], 304);
  for (const char* name : {"GameState", "HeroX", "HeroHealth", "FrameLimit", "KeyEscape", "KeyDown",
                           "JumpKeyLast", "IdleTime", "PistolRounds"}) {
    EXPECT_TRUE(lines[0].contains(name)) << name;
  }
}

TEST(HeadlessRun, NoRefreshWaitKeepsTheClockStill) {
  testing::TempDirectory out;
  std::ostringstream errors;
  const auto trace = out.path() / "t.jsonl";
  EXPECT_EQ(
      RunHeadless(HeadlessOptions({"--turns", "3", "--refresh", "0", "--trace", trace.string()}),
                  errors),
      0);
  const std::string text = ReadText(trace);
  size_t stillClocks = 0;
  for (size_t at = text.find("\"clock\":0,"); at != std::string::npos;
       at = text.find("\"clock\":0,", at + 1)) {
    ++stillClocks;
  }
  EXPECT_EQ(stillClocks, 4u) << text;
}

TEST(HeadlessRun, BadInputsAreReportedWithExitCodeTwo) {
  testing::TempDirectory out;
  out.Write("bad.txt", std::string("1 press Space\n2 press Banana\n"));
  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--input", (out.path() / "bad.txt").string()}), errors),
            2);
  EXPECT_NE(errors.str().find("bad.txt:2:"), std::string::npos) << errors.str();

  std::ostringstream missing;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--input", (out.path() / "none.txt").string()}), missing),
            2);
  std::ostringstream noData;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--data", (out.path() / "nodir").string()}), noData), 2);
  EXPECT_NE(noData.str().find("nodir"), std::string::npos);
}

TEST(HeadlessRun, MissingPicturesStillReachTheMenu) {
  testing::TempDirectory empty;
  std::ostringstream errors;
  EXPECT_EQ(RunHeadless(HeadlessOptions({"--data", empty.path().string(), "--turns", "2"}), errors),
            0);
}

TEST(HeadlessRun, SettingsThatCannotBeSavedLetTheGameGoOn) {
  // A file stands where the settings' directory should be: every save fails.
  testing::TempDirectory out;
  std::ofstream(out.path() / "config") << "in the way";
  // Into the configuration screen, the frame limit one faster, "Save
  // Configuration", then back on "go" and into the intro.
  std::ofstream(out.path() / "keys.txt")
      << "2 press Down\n3 release Down\n5 press Enter\n6 release Enter\n"
      << "8 press Down\n9 release Down\n11 press Right\n12 release Right\n"
      << "14 press Down\n15 release Down\n17 press Space\n18 release Space\n"
      << "20 press Up\n21 release Up\n23 press Enter\n24 release Enter\n";
  std::ostringstream errors;
  EXPECT_EQ(
      RunHeadless(HeadlessOptions({"--turns", "40", "--input", (out.path() / "keys.txt").string(),
                                   "--settings", (out.path() / "config" / "settings.reg").string(),
                                   "--trace", (out.path() / "trace.jsonl").string()}),
                  errors),
      0)
      << errors.str();
  std::ifstream trace(out.path() / "trace.jsonl");
  std::vector<nlohmann::json> turns;
  for (std::string line; std::getline(trace, line);) turns.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(turns.size(), 41u);
  EXPECT_EQ(turns[15]["GameState"], StateConfiguration);
  EXPECT_EQ(turns[16]["GameState"], StateMenuGo) << "the failed save left the screen";
  // The new limit holds for this run, and the game goes on to the intro.
  EXPECT_EQ(turns.back()["FrameLimit"], 6u);
  EXPECT_EQ(turns.back()["GameState"], StateMissionIntro);
  EXPECT_FALSE(std::filesystem::is_directory(out.path() / "config"));
}

TEST(Options, RejectBadArgumentsWithOneLine) {
  const std::vector<std::vector<std::string>> bad = {
      {"zorbulant", "--turns"},         {"zorbulant", "--turns", "many"},
      {"zorbulant", "--shot", "x.png"}, {"zorbulant", "--shot", "0=x.png"},
      {"zorbulant", "--shot", "3="},    {"zorbulant", "--refresh", "-1"},
      {"zorbulant", "--frobnicate"},
  };
  for (const auto& arguments : bad) {
    std::string error;
    EXPECT_FALSE(ParseOptions(arguments, error).has_value()) << arguments.back();
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(Options, OnlyABareSAsksForTheSoundSetup) {
  std::string error;
  const auto setup = ParseOptions({"zorbulant", "--window", "s"}, error);
  ASSERT_TRUE(setup);
  EXPECT_TRUE(SetupSwitch(setup->commandLine.c_str()));
  // A path ending in "s" is no request for the set-up.
  const auto path = ParseOptions({"zorbulant", "--data", "/home/me/levels"}, error);
  ASSERT_TRUE(path);
  EXPECT_FALSE(SetupSwitch(path->commandLine.c_str()));
}

TEST(Program, ExitCodesOfTheRealBinary) {
  testing::TempDirectory out;
  const std::string binary = ZORBULANT_BINARY;
  const std::string quiet = " > " + (out.path() / "log").string() + " 2>&1";
  auto exitCode = [&](const std::string& arguments) {
    const int status = std::system((binary + " " + arguments + quiet).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(exitCode("--headless --turns 2"), 0);
  EXPECT_EQ(exitCode("--headless --turns nope"), 2);
  EXPECT_EQ(exitCode("--help"), 0);
  EXPECT_EQ(exitCode("--version"), 0);
}

}  // namespace
}  // namespace zorbulant
