// What the machine the tests run on offers: an output device, a display. The
// tests that need one are skipped without it; run_sndlib_tests.sh runs them
// both with and without, and says which run it is.
#pragma once

namespace zorbulant::testing {

bool AudioDevicePresent();
bool WindowsCanBeShown();

// Deletes the sound library's registry key under the machine's and the
// user's root when made and when gone, so no test sees another's set-up.
class FreshSoundKey {
 public:
  FreshSoundKey();
  ~FreshSoundKey();
  FreshSoundKey(const FreshSoundKey&) = delete;
  FreshSoundKey& operator=(const FreshSoundKey&) = delete;
};

}  // namespace zorbulant::testing
