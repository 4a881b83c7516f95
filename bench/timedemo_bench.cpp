// In-game frames per second: a timedemo of the first mission, recorded from
// its completion script, played as fast as the machine can. Its reference is
// the memory-copy bound of a frame: the scene and the screen copied once each,
// two copies of 64,000 bytes, timed turn about with the timedemo.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_run.h"
#include "support/mission_script.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

using Clock = std::chrono::steady_clock;

Options Parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"zorbulant", "--headless"});
  std::string error;
  return ParseOptions(arguments, error).value_or(Options{});
}

// The first mission's script behind the menu and the intro, as the mission
// tests run it; recorded into a demo in `directory`.
std::string RecordFirstMission(const testing::TempDirectory& directory) {
  const testing::MissionScript script = testing::PlayMission("levelaaa", 0);
  const uint32_t last = script.lastTurn;
  const std::string input = (directory.path() / "mission.txt").string();
  const std::string demo = (directory.path() / "mission.zdm").string();
  std::ofstream(input) << script.text;
  std::ostringstream errors;
  // A second beyond the last key: the mission is done by then.
  RunHeadless(Parse({"--input", input, "--turns", std::to_string(last + 70), "--record", demo}),
              errors);
  return demo;
}

struct TimedemoRun {
  unsigned long long frames = 0;
  double seconds = 0;
};

bool RunTimedemo(const std::string& demo, TimedemoRun& run) {
  std::ostringstream errors, output;
  if (RunHeadless(Parse({"--timedemo", demo}), errors, output) != 0) return false;
  return std::sscanf(output.str().c_str(), "timedemo: %*u turns, %llu frames after start-up in %lf",
                     &run.frames, &run.seconds) == 2;
}

void Timedemo(benchmark::State& state) {
  const testing::TempDirectory directory;
  const std::string demo = RecordFirstMission(directory);
  TimedemoRun run;
  if (!RunTimedemo(demo, run) || run.frames == 0) {
    state.SkipWithError("the first mission's demo does not play");
    return;
  }
  std::vector<uint8_t> scene(64'000, 1), screen(64'000), shown(64'000);
  double gameSeconds = 0, copySeconds = 0, frames = 0;
  for (auto _ : state) {
    RunTimedemo(demo, run);
    gameSeconds += run.seconds;
    frames += static_cast<double>(run.frames);
    const Clock::time_point start = Clock::now();
    for (unsigned long long frame = 0; frame < run.frames; ++frame) {
      std::memcpy(screen.data(), scene.data(), screen.size());
      std::memcpy(shown.data(), screen.data(), shown.size());
      benchmark::DoNotOptimize(shown.data());
      benchmark::ClobberMemory();
      scene[frame % scene.size()] = static_cast<uint8_t>(frame);
    }
    copySeconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  state.counters["frames"] = static_cast<double>(run.frames);
  state.counters["frames/s"] = frames / gameSeconds;
  state.counters["copy_bound_frames/s"] = frames / copySeconds;
  state.counters["share_of_bound"] = copySeconds / gameSeconds;
}

BENCHMARK(Timedemo)
    ->Name("Timedemo/first_mission")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

}  // namespace
}  // namespace zorbulant
