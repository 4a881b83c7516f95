// What the machine the tests run on offers: an output device, a display. The
// tests that need one are skipped without it; run_sndlib_tests.sh runs them
// both with and without, and says which run it is.
#pragma once

#include "platform/win32/windows_api.h"

#include <mmsystem.h>

#include "sound/sound_engine.h"

namespace zorbulant::testing {

inline bool AudioDevicePresent() { return waveOutGetNumDevs() > 0; }

inline bool WindowsCanBeShown() {
  const HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      nullptr, nullptr);
  if (window == nullptr) return false;
  DestroyWindow(window);
  return true;
}

// Deletes the sound library's registry key under the machine's and the
// user's root when made and when gone, so no test sees another's set-up.
struct FreshSoundKey {
  FreshSoundKey() { Delete(); }
  ~FreshSoundKey() { Delete(); }
  static void Delete() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, SoundEngineKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, SoundEngineKey);
  }
};

}  // namespace zorbulant::testing
