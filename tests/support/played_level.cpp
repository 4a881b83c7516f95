// Levels played in memory.
#include "support/played_level.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "flow/game_frame.h"
#include "platform/display.h"
#include "support/pack_copy.h"
#include "world/level_file.h"

namespace zorbulant::testing {

namespace {

struct Area {
  const char* name;
  uint32_t offset;
  uint32_t end;
};

// The level start loads only the level's graphics, picture and file (through
// the scene buffer and the GIF input buffer) and clears the shot tables.
const Area OutOfReachOfTheStart[] = {
    {"top margin", regions::TopMargin.offset, regions::TopMargin.end()},
    {"sheet", regions::HeroSheet.offset, regions::HeroSheet.end()},
    {"buttons", regions::GoButtonPicture.offset, regions::ExitButtonPicture.end()},
    {"level header past the file", regions::LevelHeader.offset + regions::LevelFileLength,
     regions::LevelHeader.end()},
    {"carried items and menu background", regions::CarriedItemA.offset,
     regions::MenuBackground.end()},
    {"free region", regions::Free.offset, regions::Free.end()},
};

// Play loads nothing. The level header is the file's first 56 bytes; the
// object list behind it belongs to the level's objects and switches.
const Area OutOfReachOfPlay[] = {
    {"top margin", regions::TopMargin.offset, regions::TopMargin.end()},
    {"sheet, level graphics and buttons", regions::HeroSheet.offset,
     regions::ExitButtonPicture.end()},
    {"level header", regions::LevelHeader.offset,
     regions::LevelHeader.offset + levelfile::FirstObject},
    {"menu background", regions::MenuBackground.offset, regions::MenuBackground.end()},
    {"free region", regions::Free.offset, regions::Free.end()},
    {"GIF input buffer", regions::GifInputBuffer.offset, regions::GifInputBuffer.end()},
};

template <size_t N>
std::vector<std::string> Changed(const Area (&areas)[N], const uint8_t* now,
                                 const std::vector<uint8_t>& before) {
  std::vector<std::string> changed;
  for (const Area& area : areas) {
    if (!std::equal(now + area.offset, now + area.end, before.begin() + area.offset)) {
      changed.push_back(area.name);
    }
  }
  return changed;
}

}  // namespace

PlayedLevel::PlayedLevel() {
  test_.platform.files.Add("MAINCHAR.gif", PackCopy::BuiltFile("MAINCHAR.gif"));
  EXPECT_EQ(StartDisplay(game()), StartupFailure::None);
  startupBlock_.assign(game().work.data(), game().work.data() + regions::WorkBlockSize);
  startup_ = Save();
  startupClock_ = test_.platform.clock;
}

void PlayedLevel::AddFile(const std::string& name, std::vector<uint8_t> bytes) {
  test_.platform.files.Add(name, std::move(bytes));
}

PlayedLevel::Variables PlayedLevel::Save() const {
  const Game& g = test_.game;
  return {g.hero, g.world, g.effects, g.keys, g.flow, g.level, g.settings};
}

void PlayedLevel::Start() {
  Game& g = game();
  std::copy(startupBlock_.begin(), startupBlock_.end(), g.work.data());
  g.hero = startup_.hero;
  g.world = startup_.world;
  g.effects = startup_.effects;
  g.keys = startup_.keys;
  g.flow = startup_.flow;
  g.level = startup_.level;
  g.settings = startup_.settings;
  test_.platform.clock = startupClock_;
  frame_ = 0;

  g.flow.GameState = StateMissionIntro;
  g.keys.KeyJump = 1;
  GameFrame(g);
  g.keys.KeyJump = 0;
  startedBlock_.assign(g.work.data(), g.work.data() + regions::WorkBlockSize);
  started_ = Save();
}

void PlayedLevel::Play(uint32_t frames) {
  KeyFlags& keys = game().keys;
  for (uint32_t k = 0; k < frames; ++k, ++frame_) {
    keys.KeyRight = 1;
    keys.KeyFire = frame_ % 8 < 2 ? 1 : 0;
    keys.KeyJump = frame_ % 32 >= 20 && frame_ % 32 < 26 ? 1 : 0;
    GameFrame(game());
  }
}

std::vector<std::string> PlayedLevel::ChangedByStart() const {
  return Changed(OutOfReachOfTheStart, test_.game.work.data(), startupBlock_);
}

std::vector<std::string> PlayedLevel::ChangedInPlay() const {
  std::vector<std::string> changed =
      Changed(OutOfReachOfPlay, test_.game.work.data(), startedBlock_);
  const LevelSearch& level = test_.game.level;
  if (level.LevelNumber != started_.level.LevelNumber ||
      level.LastFoundLevel != started_.level.LastFoundLevel ||
      std::memcmp(level.LevelDataName, started_.level.LevelDataName, sizeof level.LevelDataName) !=
          0) {
    changed.push_back("level search");
  }
  const Settings& settings = test_.game.settings;
  if (settings.FrameLimit != started_.settings.FrameLimit ||
      settings.Amplification != started_.settings.Amplification ||
      settings.MaxCount != started_.settings.MaxCount) {
    changed.push_back("settings");
  }
  return changed;
}

}  // namespace zorbulant::testing
