// The headless runner.
#include "app/headless_run.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "flow/game.h"
#include "flow/game_trace.h"
#include "platform/files/local_files.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/input_script.h"
#include "platform/headless/png_writer.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/settings/reg_file_store.h"
#include "platform/xmp/xmp_module_player.h"
#include "sound/mixing_sound_library.h"

namespace zorbulant {

namespace {

bool ReadSchedule(const Options& options, std::vector<ScheduledMessage>& schedule,
                  std::ostream& errors) {
  if (!options.input) return true;
  std::ifstream file(*options.input, std::ios::binary);
  if (!file) {
    errors << "zorbulant: cannot read input script " << options.input->string() << "\n";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  InputScriptError error;
  schedule = ParseInputScript(text.str(), error);
  if (!error.message.empty()) {
    errors << "zorbulant: " << options.input->string() << ":" << error.line << ": " << error.message
           << "\n";
    return false;
  }
  return true;
}

const char* FailureText(StartupFailure failure) {
  switch (failure) {
    case StartupFailure::NoWindow:
      return "the window could not be created";
    case StartupFailure::NoMemory:
      return "the 8 MB work block could not be allocated";
    case StartupFailure::NoDisplay:
      return "the display could not be set up";
    case StartupFailure::None:
      break;
  }
  return "";
}

}  // namespace

int RunHeadless(const Options& options, std::ostream& errors) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.dataDirectory, error)) {
    errors << "zorbulant: data directory " << options.dataDirectory.string() << " does not exist\n";
    return 2;
  }
  std::vector<ScheduledMessage> schedule;
  if (!ReadSchedule(options, schedule, errors)) return 2;
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
  HeadlessDisplay display(clock, options.refreshHertz);
  LocalFiles files(options.dataDirectory);
  std::unique_ptr<SettingsStore> settings;
  if (options.settings) {
    settings = std::make_unique<RegFileStore>(*options.settings);
  } else {
    // Without a settings file a headless run neither reads nor changes the
    // player's own settings.
    settings = std::make_unique<MemorySettingsStore>();
  }
  // A silent library: headless runs never depend on an audio device.
  MixingSoundLibrary sound(files, *settings, nullptr, MakeXmpModulePlayer);
  Platform platform{window, clock, display, files, *settings, sound, options.commandLine};
  Game game(platform);

  bool shotsWritten = true;
  window.OnTurnEnded([&](uint32_t turn) {
    if (trace.is_open()) trace << TraceLine(game, turn, clock.Milliseconds()) << '\n';
    for (const ShotRequest& shot : options.shots) {
      if (shot.turn != turn) continue;
      if (!WriteRgbPng(shot.file, 320, 200, display.ScreenRgb())) {
        errors << "zorbulant: cannot write shot " << shot.file.string() << "\n";
        shotsWritten = false;
      }
    }
  });
  window.OnDeactivated([&display] { display.LoseSurfaces(); });

  const StartupFailure failure = RunProgram(game);
  window.EndOpenTurn();
  if (failure != StartupFailure::None) {
    errors << "zorbulant: " << FailureText(failure) << "\n";
    return 1;
  }
  return shotsWritten ? 0 : 1;
}

}  // namespace zorbulant
