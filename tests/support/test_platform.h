// A complete platform made of headless and in-memory services, for tests that
// drive the game directly.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "flow/game.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_display.h"
#include "platform/headless/headless_window.h"
#include "platform/platform.h"
#include "platform/settings/memory_settings_store.h"
#include "support/memory_files.h"
#include "support/recording_sound_library.h"

namespace zorbulant::testing {

struct TestPlatform {
  explicit TestPlatform(std::vector<ScheduledMessage> schedule = {}, uint32_t closeAfterTurns = 0,
                        uint32_t pitch = 320, uint32_t refreshHertz = 70)
      : window(std::move(schedule), closeAfterTurns), display(clock, refreshHertz, pitch) {}

  Platform& platform() { return services; }

  HeadlessClock clock;
  HeadlessWindow window;
  HeadlessDisplay display;
  MemoryFiles files;
  MemorySettingsStore settings;
  RecordingSoundLibrary sound;
  Platform services{window, clock, display, files, settings, sound, "zorbulant"};
};

// A game on a test platform whose work block is allocated, as after start-up.
struct TestGame {
  TestGame() : game(platform.platform()) { game.work.Allocate(); }
  TestPlatform platform;
  Game game;
};

}  // namespace zorbulant::testing
