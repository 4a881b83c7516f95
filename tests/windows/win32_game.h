// A game on the Win32 backend with the picture in the windowed screen, for
// tests that drive the window, the display and the text through the game's
// own code.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "flow/game.h"
#include "platform/display.h"
#include "platform/files/local_files.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/sound_library.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_window.h"

namespace zorbulant::testing {

struct Win32Game {
  Win32Window window;
  Win32Clock clock;
  Win32Display display{window, nullptr, true};
  LocalFiles files{"."};
  MemorySettingsStore settings;
  MissingSoundLibrary sound;
  Platform platform{window, clock, display, files, settings, sound, "zorbulant"};
  Game game{platform};
  GameWindowProcedure procedure{game};

  // The window, then the display's set-up steps as StartDisplay takes them.
  void Start() {
    ASSERT_NE(window.CreateMainWindow(procedure), 0u);
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetExclusiveFullScreen());
    ASSERT_TRUE(display.SetDisplayMode(320, 200, 8));
    ASSERT_TRUE(display.CreateFlippingChain());
    ASSERT_TRUE(display.CreatePalette(PaletteTable()));
    ASSERT_TRUE(display.AttachPalette());
    game.display.DisplayDevice = game.display.PrimarySurface = game.display.ScreenPalette = true;
  }

  // Fills the whole back buffer with one palette index.
  void Fill(uint8_t index) {
    LockedSurface surface;
    ASSERT_TRUE(display.Lock(surface));
    for (uint32_t y = 0; y < 200; ++y) std::fill_n(surface.pixels + y * surface.pitch, 320, index);
    ASSERT_TRUE(display.Unlock());
  }

  // The back buffer's palette indices, row after row.
  std::vector<uint8_t> Picture() {
    std::vector<uint8_t> picture;
    LockedSurface surface;
    if (!display.Lock(surface)) return picture;
    for (uint32_t y = 0; y < 200; ++y) {
      picture.insert(picture.end(), surface.pixels + y * surface.pitch,
                     surface.pixels + y * surface.pitch + 320);
    }
    display.Unlock();
    return picture;
  }
};

}  // namespace zorbulant::testing
