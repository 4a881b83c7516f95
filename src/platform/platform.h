// Everything the game uses of the machine, handed to the game object at start.
// A backend (headless, desktop) provides one implementation of each service.
#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/sound_library.h"
#include "platform/window.h"

namespace zorbulant {

struct Platform {
  Window& window;
  Clock& clock;
  DisplayDevice& display;
  FileSystem& files;
  SettingsStore& settings;
  SoundLibrary& sound;
  // The whole command line as the program was started, program path included.
  std::string commandLine;
};

}  // namespace zorbulant
