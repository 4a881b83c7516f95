// The Windows runner.
#include "app/windows_run.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>
#include <vector>

#include "flow/game.h"
#include "flow/game_trace.h"
#include "platform/files/local_files.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/win32/dll_sound_library.h"
#include "platform/win32/program_directory.h"
#include "platform/win32/scripted_display.h"
#include "platform/win32/tell_user.h"
#include "platform/win32/turn_counting_window.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_window.h"

namespace zorbulant {

namespace {

// What every run has, scripted or live.
struct Services {
  explicit Services(const std::filesystem::path& data) : files(data) {}
  Win32Window window;
  LocalFiles files;
  Win32SettingsStore settings;
  DllSoundLibrary sound;
  std::ofstream trace;
};

// One trace line at the end of each turn, with the time of the run's clock.
std::function<void(uint32_t)> TraceWriter(Services& services, const Game& game, Clock& clock) {
  return [&services, &game, &clock](uint32_t turn) {
    if (services.trace.is_open()) {
      services.trace << TraceLine(game, turn, clock.Milliseconds()) << '\n';
    }
  };
}

// The game on the run's window, clock and display, with a trace line at the
// end of each of the window's turns.
template <typename TurnWindow>
StartupFailure RunGame(const WindowsOptions& options, Services& services, TurnWindow& window,
                       Clock& clock, DisplayDevice& display) {
  Platform platform{window,
                    clock,
                    display,
                    services.files,
                    services.settings,
                    services.sound,
                    options.commandLine};
  Game game(platform);
  window.OnTurnEnded(TraceWriter(services, game, clock));
  const StartupFailure failure = RunProgram(game);
  window.EndOpenTurn();
  return failure;
}

// The script's input and the virtual clock; the picture in the real window.
StartupFailure RunScripted(const WindowsOptions& options, std::vector<ScheduledMessage> schedule,
                           Services& services) {
  PictureWindowProcedure procedure(services.window);
  if (services.window.CreateMainWindow(procedure) == 0) return StartupFailure::NoWindow;
  HeadlessClock clock;
  HeadlessWindow script(std::move(schedule), options.turns);
  // The picture goes out as fast as the machine draws it: the run's time is
  // the virtual clock's.
  Win32Display shown(services.window, nullptr, options.window);
  ScriptedDisplay display(shown, clock, [&services] { services.window.PumpMessages(); });
  return RunGame(options, services, script, clock, display);
}

StartupFailure RunLive(const WindowsOptions& options, Services& services) {
  Win32Clock clock;
  TurnCountingWindow window(services.window, options.turns);
  Win32Display display(services.window, &clock, options.window);
  return RunGame(options, services, window, clock, display);
}

}  // namespace

int RunWindows(const WindowsOptions& options) {
  const std::filesystem::path data = options.dataDirectory.value_or(ProgramDirectory());
  std::error_code error;
  if (!std::filesystem::is_directory(data, error)) {
    TellUser("zorbulant: data directory " + data.string() + " does not exist\n");
    return 2;
  }
  // The sound library opens its files by plain name.
  std::filesystem::current_path(data, error);
  std::vector<ScheduledMessage> schedule;
  if (options.input) {
    std::string problem;
    std::optional<std::vector<ScheduledMessage>> script = ReadInputScript(*options.input, problem);
    if (!script) {
      TellUser("zorbulant: " + problem + "\n");
      return 2;
    }
    schedule = std::move(*script);
  }

  Services services(data);
  if (options.trace) {
    services.trace.open(*options.trace, std::ios::binary | std::ios::trunc);
    if (!services.trace) {
      TellUser("zorbulant: cannot write trace " + options.trace->string() + "\n");
      return 2;
    }
  }
  const StartupFailure failure = options.input ? RunScripted(options, std::move(schedule), services)
                                               : RunLive(options, services);
  if (failure != StartupFailure::None) {
    TellUser(std::string("zorbulant: ") + StartupFailureText(failure) + "\n");
    return 1;
  }
  return 0;
}

}  // namespace zorbulant
