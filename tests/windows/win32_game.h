// A game on the Win32 backend, for tests that drive the window, the display
// and the text through the game's own code.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

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
  // The picture in the windowed screen unless `windowed` is false, when the
  // exclusive screen is tried first.
  explicit Win32Game(bool windowed = true) : display{window, nullptr, windowed} {}

  Win32Window window;
  Win32Clock clock;
  Win32Display display;
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
};

// A test with the windowed game started.
struct Win32GameTest : ::testing::Test {
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(win32.Start()); }

  Win32Game win32;
};

}  // namespace zorbulant::testing
