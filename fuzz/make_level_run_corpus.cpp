// Writes the level-run fuzzer's seed files: one for each mission of the built
// data pack, with its level file, its picture reduced to the collision map and
// the keys of its completion script for as long as the fuzzer plays; a room of
// our own with an object of every kind; and an empty level. Run by hand
// when the seeds need to change:
//   make_level_run_corpus build-fuzz/data content/missions fuzz/corpus/level_run
//
// The reduced picture keeps only what each pixel is to the game, empty, solid
// for the hero, a turn-stud or solid for everyone, each in one colour: that
// takes the scenery out and leaves a file of a few KB that plays as the
// mission does.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assets/gif_decoder.h"
#include "level_run_input.h"
#include "platform/headless/input_script.h"
#include "support/gif_test_writer.h"
#include "support/test_platform.h"
#include "world/level_file.h"
#include "world/level_object.h"

namespace {

using namespace zorbulant;

// Palette indices of the collision map's kinds of pixel.
constexpr uint8_t Empty = 2;
constexpr uint8_t HeroSolid = 232;
constexpr uint8_t TurnStud = 247;
constexpr uint8_t AllSolid = 248;
// libFuzzer keeps its inputs about as long as the longest seed, and every
// length must fit the input's 16-bit length fields.
constexpr size_t LongestSeed = 16'384;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint8_t CollisionKind(uint8_t pixel) {
  if (pixel < HeroSolid) return Empty;
  if (pixel == TurnStud || pixel >= AllSolid) return std::min(pixel, AllSolid);
  return HeroSolid;
}

// The level's picture as the game decodes it, cut to the level's height, with
// the scenery taken out.
std::vector<uint8_t> CollisionPicture(const std::vector<uint8_t>& level,
                                      const std::vector<uint8_t>& gif) {
  testing::TestGame test;
  test.platform.files.Add("level.gif", gif);
  if (!LoadGifPicture(test.game, "level.gif", regions::LevelPicture)) return {};
  const uint32_t height =
      std::min(LoadWord(level.data() + levelfile::LevelHeight), regions::LevelPictureRows);
  const uint8_t* rows = test.game.work.at(regions::LevelPicture);
  testing::Picture picture{
      regions::SceneRowLength, height, {rows, rows + regions::SceneRowLength * height}};
  for (uint8_t& pixel : picture.pixels) pixel = CollisionKind(pixel);
  return testing::EncodeWithGiflib({picture}, {});
}

// The key lines of a script whose turns count from the level's first frame,
// moved to the run's turns, for as long as the fuzzer plays.
std::vector<ScheduledMessage> ScriptKeys(const std::string& text, const std::string& where) {
  InputScriptError error;
  std::vector<ScheduledMessage> keys = ParseInputScript(text, error);
  if (!error.message.empty()) {
    std::fprintf(stderr, "make_level_run_corpus: %s:%zu: %s\n", where.c_str(), error.line,
                 error.message.c_str());
    return {};
  }
  constexpr uint32_t LastTurn = 2'000;
  std::erase_if(keys, [](const ScheduledMessage& key) { return key.turn > LastTurn; });
  for (ScheduledMessage& key : keys) key.turn += fuzzing::FirstLevelTurn - 1;
  return keys;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::array<uint32_t, 32> Words(std::initializer_list<std::pair<uint32_t, uint32_t>> fields) {
  std::array<uint32_t, 32> words{};
  for (const auto& [offset, value] : fields) words[offset / 4] = value;
  return words;
}

std::string Held(const char* key, uint32_t turn, uint32_t turns) {
  return std::to_string(turn) + " press " + key + "\n" + std::to_string(turn + turns) +
         " release " + key + "\n";
}

// A room of our own with one object of every kind between the hero and the
// exit: a door, the switch that opens it, a heart, a guard that jumps and
// fires, a field and a sound zone. The keys walk, jump, fire, change weapons,
// game speed and volume, leave for the menu and come back.
std::vector<uint8_t> ObjectRoom() {
  constexpr uint32_t Floor = 200;
  constexpr uint32_t Heart = 51'504;  // 16 x 16 in the HeroSheet
  constexpr uint32_t Harmless = 124;  // a word of the door's record no object reads
  LevelFileImage level;
  level.missionTitle = "Object Room";
  level.musicName = "mission0";
  level.heroStartX = 100;
  level.heroStartY = Floor;
  level.levelHeight = 240;
  level.exitX = 1200;
  level.exitY = Floor - 60;
  level.exitWidth = 40;
  level.exitHeight = 60;
  level.objects = {
      Words({{field::Type, ObjectBlock},
             {field::X, 600},
             {field::Y, Floor - 50},
             {field::ClosedColour, 250},
             {field::OpenColour, Empty},
             {field::BlockWidth, 16},
             {field::BlockHeight, 50}}),
      Words({{field::Type, ObjectSwitch},
             {field::X, 500},
             {field::Y, Floor - 32},
             {field::HitPoints, 1},
             {field::Width, 16},
             {field::Height, 32},
             {field::SpriteOffset, Heart},
             {field::SpentSprite, Heart},
             {field::Set1Offset, field::State},
             {field::Set1Value, 1},
             {field::Set2Offset, Harmless},
             {field::Set3Offset, Harmless},
             {field::Set4Offset, Harmless},
             {field::Add1Offset, Harmless},
             {field::Add2Offset, Harmless}}),
      Words({{field::Type, ObjectPickup},
             {field::X, 300},
             {field::Y, Floor - 16},
             {field::Width, 16},
             {field::Height, 16},
             {field::SpriteOffset, Heart},
             {field::Target, 8},
             {field::Amount, 64}}),
      Words({{field::Type, ObjectEnemy},
             {field::X, 800},
             {field::Y, Floor},
             {field::HitPoints, 5},
             {field::Width, 16},
             {field::Height, 32},
             {field::FrameMask, 1},
             {field::FrameShift, 2},
             {field::Behaviour, EnemyJumps | EnemyFacesHero},
             {field::PatrolLeft, 700},
             {field::PatrolRight, 900},
             {field::FireMask, 511},
             {field::ShotDamage, 8}}),
      Words({{field::Type, ObjectBarrier},
             {field::X, 1000},
             {field::Y, Floor - 40},
             {field::FrameShift, 7},
             {field::ColourBitSet, 253},
             {field::OffColour, 255},
             {field::FieldHeight, 20},
             {field::FieldWidth, 8}}),
      Words({{field::Type, ObjectSoundZone},
             {field::X, 250},
             {field::Y, Floor - 60},
             {field::Width, 100},
             {field::Height, 60},
             {field::SampleChoice, 1},
             {field::RepeatTime, 500}}),
  };
  testing::Picture room{regions::SceneRowLength, 240,
                        std::vector<uint8_t>(regions::SceneRowLength * 240, Empty)};
  auto paint = [&](uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    for (uint32_t row = y; row < y + height; ++row) {
      std::fill_n(room.pixels.begin() + row * regions::SceneRowLength + x, width, AllSolid);
    }
  };
  paint(0, Floor, regions::SceneRowLength, 240 - Floor);
  paint(0, 0, 4, Floor);
  paint(regions::SceneRowLength - 4, 0, 4, Floor);
  paint(400, Floor - 20, 40, 20);  // a step to jump onto
  // Fire all the way, to open the door and wear the guard down; jump now and
  // then, over the step and the guard; try every other key once; turn back,
  // then leave for the menu and start again.
  std::string keys = "1 press Right\n";
  for (uint32_t turn = 40; turn <= 1'600; turn += 40) keys += Held("Ctrl", turn, 1);
  for (uint32_t turn = 330; turn <= 1'600; turn += 150) keys += Held("Space", turn, 15);
  uint32_t turn = 700;
  for (const char* key : {"1", "2", "3", "KP+", "KP*", "KP/", "KP-", "Down", "Alt", "Up"}) {
    keys += Held(key, turn, 8);
    turn += 10;
  }
  keys += "1700 release Right\n" + Held("Left", 1'710, 60) + Held("Escape", 1'800, 1) +
          Held("Enter", 1'810, 1) + Held("Enter", 1'820, 1);
  return fuzzing::PackLevelRunInput(level.Bytes(), testing::EncodeWithGiflib({room}, {}),
                                    ScriptKeys(keys, "the object room's keys"));
}

bool Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  if (bytes.size() > LongestSeed) {
    std::fprintf(stderr, "make_level_run_corpus: %s would be %zu bytes\n", path.c_str(),
                 bytes.size());
    return false;
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "make_level_run_corpus: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_level_run_corpus DATA_DIR MISSIONS_DIR OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path data = argv[1];
  const std::filesystem::path missions = argv[2];
  const std::filesystem::path output = argv[3];
  int written = 0;
  for (const auto& entry : std::filesystem::directory_iterator(missions)) {
    if (entry.path().extension() != ".txt") continue;
    const std::string name = entry.path().stem().string();
    const std::vector<uint8_t> level = ReadFile(data / (name + ".jmp"));
    if (level.size() < levelfile::FirstObject) {
      std::fprintf(stderr, "make_level_run_corpus: no level file %s.jmp\n", name.c_str());
      return 1;
    }
    const std::vector<uint8_t> picture = CollisionPicture(level, ReadFile(data / (name + ".gif")));
    if (picture.empty()) {
      std::fprintf(stderr, "make_level_run_corpus: no picture %s.gif\n", name.c_str());
      return 1;
    }
    const std::vector<uint8_t> seed = fuzzing::PackLevelRunInput(
        level, picture, ScriptKeys(ReadText(entry.path()), entry.path().string()));
    if (!Write(output / (name + ".run"), seed)) return 1;
    ++written;
  }
  // An empty level file and an empty picture: a level of air that the hero
  // falls through for ever.
  const std::vector<uint8_t> nothing = fuzzing::PackLevelRunInput({}, {}, {});
  if (!Write(output / "object_room.run", ObjectRoom()) ||
      !Write(output / "empty_level.run", nothing)) {
    return 1;
  }
  return written > 0 ? 0 : 1;
}
