// Every file of the built data pack left out in turn. The game runs on
// through the menu, the intro and the first turns of the mission that uses
// the file (the intro's picker steps there), and keeps its rules for missing
// files: a picture leaves its region as it was, a missing level file is
// skipped by the level search, a missing level picture moves on to the next
// mission's intro, and a missing sample or module only silences it.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "assets/work_block.h"
#include "flow/flow_state.h"
#include "flow/main_menu.h"
#include "platform/display.h"
#include "support/gif_test_writer.h"
#include "support/pack_copy.h"
#include "world/level_file.h"
#include "world/level_search.h"

namespace zorbulant {
namespace {

using testing::PackCopy;
using testing::PackRun;
using testing::RgbImage;

constexpr uint32_t PlayTurns = 12;    // turns of play after the mission starts
constexpr uint32_t TextFrames = 300;  // "Mission Done" shows this long before its end picture
constexpr uint32_t MenuShot = 1;      // the menu, before Enter takes the run to the intro

std::string Code(uint32_t number) {
  char letters[3];
  LevelCode(number, letters);
  return std::string(letters, 3);
}

uint32_t MissionCount() {
  uint32_t count = 0;
  while (std::filesystem::exists(std::filesystem::path(ZORBULANT_DATA_DIR) /
                                 ("level" + Code(count) + ".jmp"))) {
    ++count;
  }
  return count;
}

// The turn of the mission's first frame when the picker steps `steps` times.
uint32_t FirstTurn(uint32_t steps) { return 5 + 2 * steps; }

// Menu, intro, the picker's steps, Enter; in play a shot and a jump, so that
// their samples are asked for. `enterAgain` confirms once more two turns after
// the first Enter, as a player does at the intro a failed start returns to.
std::string Script(uint32_t steps, bool enterAgain = false) {
  std::ostringstream script;
  script << "2 press Enter\n3 release Enter\n";
  for (uint32_t step = 0; step < steps; ++step) {
    script << 4 + 2 * step << " press Right\n" << 5 + 2 * step << " release Right\n";
  }
  const uint32_t first = FirstTurn(steps);
  script << first << " press Enter\n" << first + 1 << " release Enter\n";
  if (enterAgain) script << first + 2 << " press Enter\n" << first + 3 << " release Enter\n";
  script << first + 4 << " press Ctrl\n"
         << first + 5 << " release Ctrl\n"
         << first + 6 << " press Space\n"
         << first + 9 << " release Space\n";
  return script.str();
}

// ---------------------------------------------------------------------------
// What each file of the pack is, and the mission that first uses it.

enum class Kind {
  MenuPicture,    // menuback.gif and the three buttons
  HeroSheet,      // MAINCHAR.gif
  LevelFile,      // levelXXX.jmp
  LevelPicture,   // levelXXX.gif
  LevelGraphics,  // lvlgxXXX.gif
  EndPicture,     // lvendXXX.gif
  Sample,         // the fixed samples, *.ulw
  LevelSample,    // lsfx1XXX.wav, lsfx2XXX.wav
  MenuMusic,      // intro001.mod
  EndMusic,       // loop0001.mod, played with an end picture
  MissionMusic,   // the module a level file names
};

struct PackFile {
  std::string name;
  Kind kind = Kind::Sample;
  uint32_t mission = 0;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<uint32_t> MissionOfCode(const std::string& code) {
  for (uint32_t number = 0; number < MissionCount(); ++number) {
    if (Code(number) == code) return number;
  }
  return std::nullopt;
}

// The first mission whose level file names the module.
std::optional<uint32_t> MissionPlaying(const std::string& module) {
  for (uint32_t number = 0; number < MissionCount(); ++number) {
    const std::vector<uint8_t> level = PackCopy::BuiltFile("level" + Code(number) + ".jmp");
    if (level.size() < levelfile::MusicName + levelfile::MusicNameLength) continue;
    const std::string music(level.begin() + levelfile::MusicName,
                            level.begin() + levelfile::MusicName + levelfile::MusicNameLength);
    if (Lower(music) + ".mod" == module) return number;
  }
  return std::nullopt;
}

std::optional<uint32_t> FirstMissionWithEndPicture() {
  for (uint32_t number = 0; number < MissionCount(); ++number) {
    const auto path = std::filesystem::path(ZORBULANT_DATA_DIR) / ("lvend" + Code(number) + ".gif");
    if (std::filesystem::exists(path)) return number;
  }
  return std::nullopt;
}

// Nothing when the test knows no rule for the file.
std::optional<PackFile> Classify(const std::string& name) {
  const std::string lower = Lower(name);
  static const std::vector<std::pair<std::regex, Kind>> coded = {
      {std::regex("level([a-p]{3})\\.jmp"), Kind::LevelFile},
      {std::regex("level([a-p]{3})\\.gif"), Kind::LevelPicture},
      {std::regex("lvlgx([a-p]{3})\\.gif"), Kind::LevelGraphics},
      {std::regex("lvend([a-p]{3})\\.gif"), Kind::EndPicture},
      {std::regex("lsfx[12]([a-p]{3})\\.wav"), Kind::LevelSample},
  };
  std::smatch match;
  for (const auto& [pattern, kind] : coded) {
    if (!std::regex_match(lower, match, pattern)) continue;
    const std::optional<uint32_t> mission = MissionOfCode(match[1]);
    if (!mission) return std::nullopt;
    return PackFile{name, kind, *mission};
  }
  for (const char* picture : {"menuback.gif", "go.gif", "config.gif", "exit.gif"}) {
    if (lower == picture) return PackFile{name, Kind::MenuPicture, 0};
  }
  if (lower == "mainchar.gif") return PackFile{name, Kind::HeroSheet, 0};
  if (std::regex_match(lower, std::regex("[a-z0-9]{1,8}\\.ulw"))) {
    return PackFile{name, Kind::Sample, 0};
  }
  if (lower == "intro001.mod") return PackFile{name, Kind::MenuMusic, 0};
  if (lower == "loop0001.mod") {
    const std::optional<uint32_t> mission = FirstMissionWithEndPicture();
    if (!mission) return std::nullopt;
    return PackFile{name, Kind::EndMusic, *mission};
  }
  if (const std::optional<uint32_t> mission = MissionPlaying(lower)) {
    return PackFile{name, Kind::MissionMusic, *mission};
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// Pictures and traces compared.

// The colour a palette index shows.
std::array<uint8_t, 3> Colour(uint8_t index) {
  const PaletteEntry& entry = PaletteTable()[index];
  return {entry.red, entry.green, entry.blue};
}

std::array<uint8_t, 3> Pixel(const RgbImage& image, uint32_t x, uint32_t y) {
  const uint8_t* rgb = &image.rgb.at(3 * (y * image.width + x));
  return {rgb[0], rgb[1], rgb[2]};
}

// The first image of a picture of the built pack, as giflib decodes it.
std::vector<uint8_t> PackPicture(const std::string& name) {
  const std::string path = std::string(ZORBULANT_DATA_DIR) + "/" + name;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif == nullptr) return {};
  std::vector<uint8_t> pixels;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
    const SavedImage& image = gif->SavedImages[0];
    pixels.assign(image.RasterBits,
                  image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
  }
  DGifCloseFile(gif, &error);
  return pixels;
}

bool InsideButton(const MenuButton& button, uint32_t x, uint32_t y) {
  return x >= button.column && x < button.column + button.width && y >= button.row &&
         y < button.row + button.height;
}

void ExpectSameTrace(const PackRun& run, const PackRun& baseline) {
  ASSERT_EQ(run.turns.size(), baseline.turns.size());
  for (size_t turn = 0; turn < run.turns.size(); ++turn) {
    ASSERT_EQ(run.turns[turn], baseline.turns[turn]) << "first difference in turn " << turn + 1;
  }
}

void ExpectSameShots(const PackRun& run, const PackRun& baseline) {
  for (const auto& [turn, shot] : baseline.shots) {
    ASSERT_EQ(shot.width, 320u) << "baseline shot of turn " << turn;
    EXPECT_TRUE(run.shots.at(turn).rgb == shot.rgb) << "the shot of turn " << turn;
  }
}

// The level file with its exit around the hero's start, so that the mission
// is done in its first frame.
std::vector<uint8_t> ExitAtStart(std::vector<uint8_t> level) {
  uint8_t* bytes = level.data();
  StoreWord(bytes + levelfile::ExitX, LoadWord(bytes + levelfile::HeroStartX) - 16);
  StoreWord(bytes + levelfile::ExitY, LoadWord(bytes + levelfile::HeroStartY) - 32);
  StoreWord(bytes + levelfile::ExitWidth, 32);
  StoreWord(bytes + levelfile::ExitHeight, 64);
  return level;
}

// ---------------------------------------------------------------------------
// The suite: one copy of the pack, one case per file.

class MissingFile : public ::testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() { pack_ = new PackCopy(); }
  static void TearDownTestSuite() {
    delete pack_;
    pack_ = nullptr;
    baselines_.clear();
    endBaselines_.clear();
  }
  void TearDown() override { pack_->RestoreChanged(); }

  static void Remove(const std::string& name) { pack_->Remove(name); }
  static void Replace(const std::string& name, const std::vector<uint8_t>& bytes) {
    pack_->Write(name, bytes);
  }

  // The mission played from the menu, with shots of the menu, of the intro
  // just before Enter, of the turn after Enter and of the last turn.
  static PackRun Play(uint32_t mission, bool enterAgain = false) {
    const uint32_t first = FirstTurn(mission);
    PackRun run = testing::RunOnPack(pack_->path(), Script(mission, enterAgain), first + PlayTurns,
                                     {MenuShot, first - 1, first + 1, first + PlayTurns},
                                     testing::AllMissionsSettings());
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.turns.size(), first + PlayTurns + 1) << "every turn ran";
    return run;
  }
  // Played to the exit at once, through "Mission Done" to what follows it.
  static PackRun PlayToTheEnd(uint32_t mission) {
    const std::string level = "level" + Code(mission) + ".jmp";
    Replace(level, ExitAtStart(PackCopy::BuiltFile(level)));
    const uint32_t last = FirstTurn(mission) + TextFrames + 5;
    PackRun run = testing::RunOnPack(pack_->path(), Script(mission), last, {last},
                                     testing::AllMissionsSettings());
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.turns.size(), last + 1) << "every turn ran";
    return run;
  }

  // Runs on the whole pack, made before any file is taken away.
  static const PackRun& Baseline(uint32_t mission) {
    auto found = baselines_.find(mission);
    if (found == baselines_.end()) found = baselines_.emplace(mission, Play(mission)).first;
    return found->second;
  }
  static const PackRun& EndBaseline(uint32_t mission) {
    auto found = endBaselines_.find(mission);
    if (found == endBaselines_.end()) {
      found = endBaselines_.emplace(mission, PlayToTheEnd(mission)).first;
    }
    return found->second;
  }

  static PackCopy* pack_;
  static std::map<uint32_t, PackRun> baselines_;
  static std::map<uint32_t, PackRun> endBaselines_;
};

PackCopy* MissingFile::pack_ = nullptr;
std::map<uint32_t, PackRun> MissingFile::baselines_;
std::map<uint32_t, PackRun> MissingFile::endBaselines_;

// The menu shows the region as it was: zeros, so palette colour 0 wherever no
// button and no credits line is drawn over it.
void ExpectMenuBackgroundEmpty(const RgbImage& menu, const RgbImage& baseline) {
  ASSERT_EQ(menu.width, 320u);
  uint32_t changed = 0;
  for (uint32_t y = 0; y < 180; ++y) {
    for (uint32_t x = 0; x < 320; ++x) {
      if (std::any_of(std::begin(MenuButtons), std::end(MenuButtons),
                      [&](const MenuButton& button) { return InsideButton(button, x, y); })) {
        continue;
      }
      ASSERT_EQ(Pixel(menu, x, y), Colour(0)) << x << "," << y;
      if (Pixel(baseline, x, y) != Colour(0)) ++changed;
    }
  }
  EXPECT_GT(changed, 0u) << "the pack's background is not empty";
}

// A button whose picture is missing draws nothing: its box shows the menu
// background, and the rest of the menu is as with the whole pack.
void ExpectButtonShowsBackground(const std::string& name, const RgbImage& menu,
                                 const RgbImage& baseline) {
  const std::vector<std::string> files = {"go.gif", "config.gif", "exit.gif"};
  const auto index =
      static_cast<size_t>(std::find(files.begin(), files.end(), Lower(name)) - files.begin());
  ASSERT_LT(index, files.size());
  const MenuButton& button = MenuButtons[index];
  const std::vector<uint8_t> background = PackPicture("menuback.gif");
  ASSERT_EQ(background.size(), 320u * 200u);
  ASSERT_EQ(menu.width, 320u);
  for (uint32_t y = 0; y < 200; ++y) {
    for (uint32_t x = 0; x < 320; ++x) {
      if (InsideButton(button, x, y)) {
        ASSERT_EQ(Pixel(menu, x, y), Colour(background[y * 320 + x])) << x << "," << y;
      } else {
        ASSERT_EQ(Pixel(menu, x, y), Pixel(baseline, x, y)) << x << "," << y;
      }
    }
  }
}

// Without the hero sheet the region holds zeros, drawn as colour 0 wherever
// the hero, the head-up display or a shared sprite would be.
void ExpectSheetDrawnEmpty(const RgbImage& play, const RgbImage& baseline) {
  ASSERT_EQ(play.width, 320u);
  uint32_t changed = 0;
  for (uint32_t y = 0; y < 200; ++y) {
    for (uint32_t x = 0; x < 320; ++x) {
      if (Pixel(play, x, y) == Pixel(baseline, x, y)) continue;
      ASSERT_EQ(Pixel(play, x, y), Colour(0)) << x << "," << y;
      ++changed;
    }
  }
  EXPECT_GT(changed, 0u) << "the hero is drawn from the empty sheet";
}

TEST_P(MissingFile, GameRunsOnByItsRules) {
  const std::optional<PackFile> file = Classify(GetParam());
  ASSERT_TRUE(file) << "no rule for a missing " << GetParam();
  const uint32_t mission = file->mission;
  const uint32_t first = FirstTurn(mission);
  const uint32_t last = MissionCount() - 1;

  switch (file->kind) {
    case Kind::MenuPicture:
    case Kind::HeroSheet:
    case Kind::Sample:
    case Kind::LevelSample:
    case Kind::MenuMusic:
    case Kind::MissionMusic: {
      const PackRun& baseline = Baseline(mission);
      Remove(file->name);
      const PackRun run = Play(mission);
      ExpectSameTrace(run, baseline);
      EXPECT_EQ(run.At(first, "GameState"), StateInGame);
      EXPECT_EQ(run.At(first, "LevelNumber"), mission);
      if (file->kind == Kind::HeroSheet) {
        EXPECT_TRUE(run.shots.at(MenuShot).rgb == baseline.shots.at(MenuShot).rgb);
        ExpectSheetDrawnEmpty(run.shots.at(first + PlayTurns),
                              baseline.shots.at(first + PlayTurns));
      } else if (Lower(file->name) == "menuback.gif") {
        ExpectMenuBackgroundEmpty(run.shots.at(MenuShot), baseline.shots.at(MenuShot));
      } else if (file->kind == Kind::MenuPicture) {
        ExpectButtonShowsBackground(file->name, run.shots.at(MenuShot),
                                    baseline.shots.at(MenuShot));
      } else {
        ExpectSameShots(run, baseline);
      }
      break;
    }
    case Kind::LevelGraphics: {
      // Missing graphics are the same as graphics that are all transparent:
      // where the level's own sprites are in view, the shots show it.
      const PackRun& baseline = Baseline(mission);
      Replace(file->name,
              testing::EncodeWithGiflib({{regions::LevelGraphics.size, 1,
                                          std::vector<uint8_t>(regions::LevelGraphics.size, 255)}},
                                        {}));
      const PackRun transparent = Play(mission);
      Remove(file->name);
      const PackRun run = Play(mission);
      ExpectSameTrace(run, baseline);
      ExpectSameTrace(run, transparent);
      ExpectSameShots(run, transparent);
      break;
    }
    case Kind::LevelFile: {
      // The level search goes on to the next mission; past the last one it
      // falls back to the last mission it found.
      const uint32_t shown = mission < last ? mission + 1 : mission - 1;
      const PackRun& expected = Baseline(shown);
      Remove(file->name);
      const PackRun run = Play(mission);
      EXPECT_EQ(run.At(first - 1, "GameState"), StateMissionIntro);
      EXPECT_EQ(run.At(first - 1, "LevelNumber"), shown);
      EXPECT_TRUE(run.shots.at(first - 1).rgb == expected.shots.at(FirstTurn(shown) - 1).rgb)
          << "the intro of mission " << shown;
      EXPECT_EQ(run.At(first, "GameState"), StateInGame);
      EXPECT_EQ(run.At(first, "LevelNumber"), shown);
      EXPECT_EQ(run.At(first, "HeroX"), expected.At(FirstTurn(shown), "HeroX"));
      EXPECT_EQ(run.At(first, "HeroY"), expected.At(FirstTurn(shown), "HeroY"));
      break;
    }
    case Kind::LevelPicture: {
      // The start fails and the next mission's intro shows; Enter starts that
      // mission. The last one has no next: its own intro shows again (each
      // start of it searches every level number above it, so it is tried
      // once).
      const uint32_t next = std::min(mission + 1, last);
      const PackRun& expected = Baseline(next);
      Remove(file->name);
      const PackRun run = Play(mission, mission < last);
      EXPECT_EQ(run.At(first, "GameState"), StateMissionIntro);
      EXPECT_EQ(run.At(first, "LevelNumber"), next);
      EXPECT_TRUE(run.shots.at(first + 1).rgb == expected.shots.at(FirstTurn(next) - 1).rgb)
          << "the intro of mission " << next;
      if (mission < last) {
        EXPECT_EQ(run.At(first + 2, "GameState"), StateInGame);
        EXPECT_EQ(run.At(first + 2, "LevelNumber"), next);
        EXPECT_EQ(run.At(first + 2, "HeroX"), expected.At(FirstTurn(next), "HeroX"));
        EXPECT_EQ(run.At(first + 2, "HeroY"), expected.At(FirstTurn(next), "HeroY"));
      } else {
        EXPECT_EQ(run.At(first + PlayTurns, "GameState"), StateMissionIntro);
        EXPECT_EQ(run.At(first + PlayTurns, "LevelNumber"), last);
      }
      break;
    }
    case Kind::EndPicture: {
      // "Mission Done" shows its frames, then the next mission's intro
      // follows at once instead of a picture that waits for a key.
      Remove(file->name);
      const PackRun run = PlayToTheEnd(mission);
      EXPECT_EQ(run.At(first, "GameState"), StateMissionDone);
      EXPECT_EQ(run.At(first + TextFrames - 1, "GameState"), StateMissionDone);
      EXPECT_EQ(run.At(first + TextFrames, "GameState"), StateMissionIntro);
      EXPECT_EQ(run.At(first + TextFrames, "LevelNumber"), mission + 1);
      EXPECT_EQ(run.At(first + TextFrames + 5, "GameState"), StateMissionIntro);
      EXPECT_EQ(run.At(first + TextFrames + 5, "LevelNumber"), std::min(mission + 1, last));
      break;
    }
    case Kind::EndMusic: {
      // The end picture still shows and waits, without its music.
      const PackRun& baseline = EndBaseline(mission);
      const uint32_t end = first + TextFrames + 5;
      EXPECT_EQ(baseline.At(end, "GameState"), StateMissionDone) << "the end picture waits";
      Remove(file->name);
      const PackRun run = PlayToTheEnd(mission);
      ExpectSameTrace(run, baseline);
      ExpectSameShots(run, baseline);
      break;
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& file) {
  std::string name = file.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(BuiltPack, MissingFile, ::testing::ValuesIn(PackCopy::BuiltNames()),
                         CaseName);

}  // namespace
}  // namespace zorbulant
