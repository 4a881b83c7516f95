// Probing the machine, and the registry key the tests share.
#include "test_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/windows_api.h"

#include <mmsystem.h>

#include "sound/sound_engine.h"

namespace zorbulant::testing {

namespace {

void DeleteSoundKey() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, SoundEngineKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, SoundEngineKey);
}

const char* Presence(bool present) { return present ? "present" : "absent"; }

}  // namespace

bool AudioDevicePresent() { return waveOutGetNumDevs() > 0; }

bool WindowsCanBeShown() {
  const HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      nullptr, nullptr);
  if (window == nullptr) return false;
  DestroyWindow(window);
  return true;
}

FreshSoundKey::FreshSoundKey() { DeleteSoundKey(); }

FreshSoundKey::~FreshSoundKey() { DeleteSoundKey(); }

// run_sndlib_tests.sh says with ZORBULANT_TEST_AUDIO and ZORBULANT_TEST_DISPLAY
// ("present" or "absent") what the run offers. A run that was meant to have a device or a display
// and has none would skip the very tests it is for.
TEST(TestEnvironment, IsTheOneTheRunAsksFor) {
  const char* audio = std::getenv("ZORBULANT_TEST_AUDIO");
  const char* display = std::getenv("ZORBULANT_TEST_DISPLAY");
  if (audio == nullptr && display == nullptr) GTEST_SKIP() << "the run asks for nothing";
  if (audio != nullptr) {
    EXPECT_STREQ(audio, Presence(AudioDevicePresent()));
  }
  if (display != nullptr) {
    EXPECT_STREQ(display, Presence(WindowsCanBeShown()));
  }
}

}  // namespace zorbulant::testing
