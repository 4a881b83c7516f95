// The sound library's own set-up: which output device, at which mixing rate,
// with how large a buffer. It is kept in the settings store under the key the
// game names, and chosen in a short dialog on the terminal.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace zorbulant {

inline constexpr std::array<uint32_t, 2> MixingRates{44100, 48000};
// Frames per buffer. At 48000 Hz the default of 512 lasts 10.7 ms, so a sample
// started in a frame is heard within two buffers, about 20 ms.
inline constexpr std::array<uint32_t, 4> BufferSizes{256, 512, 1024, 2048};

struct SoundSetup {
  std::string device;  // empty: the system's default output
  uint32_t mixingRate = 48000;
  uint32_t bufferFrames = 512;
  bool operator==(const SoundSetup&) const = default;
};

// The terminal the set-up dialog runs on; none when the program has no
// terminal to ask on.
struct SetupTerminal {
  std::istream* input = nullptr;
  std::ostream* output = nullptr;
};

// Asks for each choice in turn; an empty answer, or the end of the input,
// keeps the current one. `devices` are the outputs there are to choose from.
void RunSoundSetupDialog(SoundSetup& setup, const std::vector<std::string>& devices,
                         std::istream& input, std::ostream& output);

// The values "Device", "MixingRate" and "BufferFrames" under `subKey`.
void SaveSoundSetup(SettingsStore& store, const char* subKey, const SoundSetup& setup);
// Values that are missing, unreadable or not among the choices leave `setup`
// as it was.
void LoadSoundSetup(SettingsStore& store, const char* subKey, SoundSetup& setup);

}  // namespace zorbulant
