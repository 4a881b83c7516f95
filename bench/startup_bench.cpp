// Start-up: from process start to the first menu picture shown, headless (the
// program runs one turn, then closes). Its reference is the same program
// started only to print its version, which pays for the process, the dynamic
// linker and the libraries but runs no game; both are timed turn about.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <vector>

extern char** environ;

namespace zorbulant {
namespace {

using Clock = std::chrono::steady_clock;

// Runs the program to its end; the wall time in seconds, or -1 when it failed.
double TimedRun(std::vector<const char*> arguments) {
  arguments.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, arguments[0], &actions, nullptr,
                                  const_cast<char* const*>(arguments.data()), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Startup(benchmark::State& state) {
  const std::vector<const char*> game = {ZORBULANT_BINARY, "--headless", "--turns", "1"};
  const std::vector<const char*> bare = {ZORBULANT_BINARY, "--version"};
  if (TimedRun(game) < 0 || TimedRun(bare) < 0) {
    state.SkipWithError("the game does not start headless");
    return;
  }
  double gameSeconds = 0, bareSeconds = 0;
  for (auto _ : state) {
    gameSeconds += TimedRun(game);
    bareSeconds += TimedRun(bare);
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["startup_ms"] = gameSeconds / runs * 1000;
  state.counters["bare_process_ms"] = bareSeconds / runs * 1000;
  state.counters["startup/bare"] = gameSeconds / bareSeconds;
}

BENCHMARK(Startup)
    ->Name("Startup/first_menu_frame")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

}  // namespace
}  // namespace zorbulant
