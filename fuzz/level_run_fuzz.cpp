// Plays a level of the fuzzer's making through the whole game, as the headless
// runner does: the input (laid out as level_run_input.h says) gives the first
// mission's level file and picture and the keys pressed while it runs; the
// built data pack gives everything else. The run goes from the menu through
// the intro into the level and on for 2,000 turns, whatever happens there.
//
// What must hold, whatever the level holds: no crash and no sanitizer report,
// bounded work per frame (the fuzzer's -timeout catches a hang), every file the
// game opens is closed again, and the parts of the work block that play never
// writes, the fixed pictures loaded at start-up and the free space, still hold
// what they held after start-up.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "flow/game.h"
#include "level_run_input.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/shell.h"
#include "support/memory_files.h"
#include "support/recording_sound_library.h"

namespace zorbulant {
namespace {

constexpr uint32_t LevelTurns = 2'000;

// The fixed pictures, which nothing writes after start-up.
constexpr Region FixedPictures[] = {regions::HeroSheet, regions::GoButtonPicture,
                                    regions::ConfigButtonPicture, regions::ExitButtonPicture,
                                    regions::MenuBackground};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "level_run_fuzz: %s\n", what);
  std::abort();
}

bool IsPackLevel(const std::string& name) {
  const std::string extension = std::filesystem::path(name).extension().string();
  return name.rfind("level", 0) == 0 && (extension == ".jmp" || extension == ".gif");
}

// The data pack, read once. Its own levels are left out: the fuzzer's level is
// the only one, so the run never leaves it for another.
testing::MemoryFiles& Pack() {
  static testing::MemoryFiles files = [] {
    testing::MemoryFiles pack;
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZORBULANT_FUZZ_DATA_PACK)) {
      const std::string name = entry.path().filename().string();
      if (IsPackLevel(name)) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      pack.Add(name, {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
      ++count;
    }
    if (count == 0) Fail("the data pack " ZORBULANT_FUZZ_DATA_PACK " is empty");
    return pack;
  }();
  return files;
}

// Random bytes for the free space, so that nothing the game writes matches
// them for more than a byte by chance.
const std::vector<uint8_t>& GuardBytes() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> guard(regions::Free.size);
    std::mt19937 random(1);
    for (uint8_t& byte : guard) byte = static_cast<uint8_t>(random());
    return guard;
  }();
  return bytes;
}

// One run's platform and game, made afresh for every input so that no run
// depends on the one before.
struct LevelRun {
  explicit LevelRun(std::vector<ScheduledMessage> schedule)
      : window(std::move(schedule), fuzzing::FirstLevelTurn - 1 + LevelTurns) {}

  HeadlessClock clock;
  HeadlessWindow window;
  HeadlessDisplay display{clock, 70};
  MemorySettingsStore settings;
  testing::RecordingSoundLibrary sound;
  Platform services{window, clock, display, Pack(), settings, sound, "zorbulant"};
  Game game{services};
  std::vector<uint8_t> pictures;  // as start-up left them
};

std::vector<ScheduledMessage> Schedule(const std::vector<ScheduledMessage>& keys) {
  const WindowMessage enter = *fuzzing::KeyMessage(fuzzing::KeyByte("Enter"));
  const WindowMessage enterUp =
      *fuzzing::KeyMessage(fuzzing::KeyByte("Enter") | fuzzing::ReleaseBit);
  // "go" in the menu, then confirm the intro: the level starts in turn 5.
  std::vector<ScheduledMessage> schedule = {
      {2, enter}, {3, enterUp}, {fuzzing::FirstLevelTurn, enter}, {6, enterUp}};
  schedule.insert(schedule.end(), keys.begin(), keys.end());
  std::stable_sort(
      schedule.begin(), schedule.end(),
      [](const ScheduledMessage& a, const ScheduledMessage& b) { return a.turn < b.turn; });
  return schedule;
}

void KeepStartupState(LevelRun& run) {
  uint8_t* block = run.game.work.data();
  std::memcpy(block + regions::Free.offset, GuardBytes().data(), regions::Free.size);
  for (const Region& region : FixedPictures) {
    run.pictures.insert(run.pictures.end(), block + region.offset, block + region.end());
  }
}

void ExpectUnchanged(const uint8_t* block, Region region, const uint8_t* kept) {
  // memcmp first: it is far quicker than the instrumented search for the byte.
  if (std::memcmp(block + region.offset, kept, region.size) == 0) return;
  const auto changed = std::mismatch(block + region.offset, block + region.end(), kept);
  std::fprintf(stderr, "level_run_fuzz: byte %td of the work block changed\n",
               changed.first - block);
  std::abort();
}

void ExpectStartupStateKept(const LevelRun& run) {
  const uint8_t* block = run.game.work.data();
  ExpectUnchanged(block, regions::Free, GuardBytes().data());
  const uint8_t* kept = run.pictures.data();
  for (const Region& region : FixedPictures) {
    ExpectUnchanged(block, region, kept);
    kept += region.size;
  }
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  const fuzzing::LevelRunInput input = fuzzing::SplitLevelRunInput({data, size});
  testing::MemoryFiles& files = Pack();
  files.Add("levelaaa.jmp", {input.level.begin(), input.level.end()});
  files.Add("levelaaa.gif", {input.picture.begin(), input.picture.end()});

  LevelRun run(Schedule(input.keys));
  // Start-up is over when the first turn ends.
  run.window.OnTurnEnded([&run](uint32_t turn) {
    if (turn == 1) KeepStartupState(run);
  });
  if (RunProgram(run.game) != StartupFailure::None) Fail("the game did not start");
  if (run.pictures.empty()) Fail("the game ended before its first turn was over");
  if (files.OpenCount() != 0) Fail("a file was left open");
  ExpectStartupStateKept(run);
  return 0;
}
