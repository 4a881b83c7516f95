// The desktop runner: the SDL backend, the player's settings file and the game.
#include "app/desktop_run.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/demo_session.h"
#include "flow/game.h"
#include "flow/game_trace.h"
#include "platform/files/local_files.h"
#include "platform/files/terminal.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_session.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/settings/reg_file_store.h"
#include "platform/xmp/xmp_module_player.h"
#include "sound/mixing_sound_library.h"

namespace zorbulant {

namespace {

std::filesystem::path ScreenshotDirectory() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != 0) {
    return std::filesystem::path(data) / "zorbulant" / "screenshots";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) {
    return std::filesystem::path(home) / ".local" / "share" / "zorbulant" / "screenshots";
  }
  return "screenshots";
}

// Saves the recording, or checks the replay, once the game has ended; returns
// the exit code.
int EndDemo(const Options& options, DemoSession& session, const Game& game,
            const SdlDisplay& display, std::ostream& errors) {
  const std::optional<uint32_t> now = session.DemoClock();
  if (!now) return 0;
  const std::string finalTrace = TraceLine(game, session.Turn(), *now);
  const uint64_t finalPicture = PictureHash(display.ScreenRgb());
  if (options.record) {
    if (!session.SaveRecording(*options.record, finalTrace, finalPicture, errors)) return 1;
    errors << "zorbulant: demo saved as " << options.record->string() << "\n";
    return 0;
  }
  return session.CheckReplay(*options.play, finalTrace, finalPicture, errors) ? 0 : 3;
}

}  // namespace

int RunDesktop(const Options& options, std::ostream& errors) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.dataDirectory, error)) {
    errors << "zorbulant: data directory " << options.dataDirectory.string() << " does not exist\n";
    return 2;
  }
  std::string reason;
  const std::unique_ptr<SdlSession> sdlSession = SdlSession::Start(reason);
  if (!sdlSession) {
    errors << "zorbulant: " << reason << "; to run without a display use --headless\n";
    return 1;
  }

  DesktopSettings desktop;
  desktop.fullScreen = !options.window;
  desktop.windowScale = options.scale;
  desktop.aspectCorrection = options.aspectCorrection;
  desktop.refreshHertz = options.refreshHertz;
  desktop.screenshotDirectory = ScreenshotDirectory();
  desktop.frameTimesFile = options.frameTimes;

  SdlClock clock;
  SdlDisplay display(clock, desktop);
  SdlWindow window(desktop, display);
  LocalFiles files(options.dataDirectory);
  std::unique_ptr<SettingsStore> settings;
  const std::optional<std::filesystem::path> settingsPath =
      options.settings ? options.settings
                       : DefaultSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (settingsPath) {
    settings = std::make_unique<RegFileStore>(*settingsPath);
  } else {
    settings = std::make_unique<MemorySettingsStore>();
  }
  DemoSession session(window, clock, *settings, files);
  if (!session.Begin(options, "sdl", errors)) return 2;
  SdlAudioOutput audio;
  SetupTerminal terminal;
  if (StandardInputIsTerminal()) terminal = {&std::cin, &std::cout};
  // The sound library keeps the player's own settings and files, even in a
  // replay: sound is output, and no demo depends on it.
  MixingSoundLibrary sound(files, *settings, &audio, MakeXmpModulePlayer, terminal);
  Platform platform{session.GameWindow(), session.GameClock(),    display,
                    session.GameFiles(),  session.GameSettings(), sound,
                    options.commandLine};
  Game game(platform);

  switch (RunProgram(game)) {
    case StartupFailure::None:
      if (!display.WriteFrameTimes()) {
        errors << "zorbulant: cannot write the frame times to " << options.frameTimes->string()
               << "\n";
        return 1;
      }
      return EndDemo(options, session, game, display, errors);
    case StartupFailure::NoWindow:
      errors << "zorbulant: " << window.FailureReason()
             << "; to run without a display use --headless\n";
      return 1;
    case StartupFailure::NoDisplay:
      errors << "zorbulant: " << display.FailureReason()
             << "; to run without a display use --headless\n";
      return 1;
    case StartupFailure::NoMemory:
      errors << "zorbulant: the 8 MB work block could not be allocated\n";
      return 1;
  }
  return 1;
}

}  // namespace zorbulant
