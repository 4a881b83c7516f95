// The headless runner.
#include "app/headless_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/demo_session.h"
#include "flow/game.h"
#include "flow/game_trace.h"
#include "platform/files/local_files.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_display.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/headless/png_writer.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/settings/reg_file_store.h"
#include "platform/xmp/xmp_module_player.h"
#include "sound/mixing_sound_library.h"

namespace zorbulant {

int RunHeadless(const Options& options, std::ostream& errors, std::ostream& output) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.dataDirectory, error)) {
    errors << "zorbulant: data directory " << options.dataDirectory.string() << " does not exist\n";
    return 2;
  }
  std::vector<ScheduledMessage> schedule;
  if (options.input) {
    std::string problem;
    std::optional<std::vector<ScheduledMessage>> script = ReadInputScript(*options.input, problem);
    if (!script) {
      errors << "zorbulant: " << problem << "\n";
      return 2;
    }
    schedule = std::move(*script);
  }
  std::ofstream trace;
  if (options.trace) {
    trace.open(*options.trace, std::ios::binary | std::ios::trunc);
    if (!trace) {
      errors << "zorbulant: cannot write trace " << options.trace->string() << "\n";
      return 2;
    }
  }

  HeadlessClock clock;
  HeadlessWindow window(std::move(schedule), options.turns);
  // A timedemo runs as fast as it can: its clock readings come from the demo,
  // and the display waits for no refresh.
  HeadlessDisplay display(clock, options.timedemo ? 0 : options.refreshHertz);
  LocalFiles files(options.dataDirectory);
  std::unique_ptr<SettingsStore> settings;
  if (options.settings && !options.play) {
    settings = std::make_unique<RegFileStore>(*options.settings);
  } else {
    // Without a settings file a headless run neither reads nor changes the
    // player's own settings.
    settings = std::make_unique<MemorySettingsStore>();
  }
  DemoSession session(window, clock, *settings, files);
  if (!session.Begin(options, "headless", errors)) return 2;
  // A silent library: headless runs never depend on an audio device.
  MixingSoundLibrary sound(files, *settings, nullptr, MakeXmpModulePlayer);
  Platform platform{session.GameWindow(), session.GameClock(),    display,
                    session.GameFiles(),  session.GameSettings(), sound,
                    options.commandLine};
  Game game(platform);

  // With a demo the trace tells the game's own clock, which is what a replay
  // can repeat; otherwise the virtual clock.
  auto traceClock = [&] { return session.DemoClock().value_or(clock.Milliseconds()); };
  bool shotsWritten = true;
  // A timedemo times the frames from the end of the first turn, when start-up
  // is over, to the end.
  std::chrono::steady_clock::time_point framesStarted;
  uint64_t startupFlips = 0;
  window.OnTurnEnded([&](uint32_t turn) {
    if (turn == 1) {
      framesStarted = std::chrono::steady_clock::now();
      startupFlips = display.Flips();
    }
    if (trace.is_open()) trace << TraceLine(game, turn, traceClock()) << '\n';
    for (const ShotRequest& shot : options.shots) {
      if (shot.turn != turn) continue;
      if (!WriteRgbPng(shot.file, 320, 200, display.ScreenRgb())) {
        errors << "zorbulant: cannot write shot " << shot.file.string() << "\n";
        shotsWritten = false;
      }
    }
  });
  // The desktop's display keeps its surfaces when the window loses the focus;
  // a replay of a desktop session must do the same.
  const bool surfacesLost =
      session.Replayed() == nullptr || session.Replayed()->backend == "headless";
  if (surfacesLost) window.OnDeactivated([&display] { display.LoseSurfaces(); });

  const StartupFailure failure = RunProgram(game);
  window.EndOpenTurn();
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - framesStarted;
  if (failure != StartupFailure::None) {
    errors << "zorbulant: " << StartupFailureText(failure) << "\n";
    return 1;
  }
  const std::string finalTrace = TraceLine(game, window.Turn(), traceClock());
  const uint64_t finalPicture = PictureHash(display.ScreenRgb());
  if (options.record && !session.SaveRecording(*options.record, finalTrace, finalPicture, errors)) {
    return 1;
  }
  if (options.timedemo) {
    const uint64_t frames = display.Flips() - startupFlips;
    char line[160];
    std::snprintf(line, sizeof line,
                  "timedemo: %u turns, %llu frames after start-up in %.3f s: %.0f frames per "
                  "second\n",
                  window.Turn(), static_cast<unsigned long long>(frames), wall.count(),
                  static_cast<double>(frames) / std::max(wall.count(), 1e-9));
    output << line;
  }
  if (options.play && !session.CheckReplay(*options.play, finalTrace, finalPicture, errors)) {
    return 3;
  }
  return shotsWritten ? 0 : 1;
}

}  // namespace zorbulant
