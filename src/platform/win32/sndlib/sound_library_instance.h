// Everything SNDLIB11.DLL keeps for the program between its exports 3 and 7:
// the mixing sound library over the waveOut output, the files of the working
// directory and the registry, and the set-up dialog around it. The set-up is
// kept in the registry store the game keeps its own settings in, below
// HKEY_LOCAL_MACHINE, the one root the game names; the set-up calls with any
// other root do nothing.
#pragma once

#include <cstdint>

#include "platform/files/local_files.h"
#include "platform/win32/sndlib/wave_out_output.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/windows_api.h"
#include "sound/mixing_sound_library.h"

namespace zorbulant {

class SoundLibraryInstance {
 public:
  SoundLibraryInstance();

  SoundLibrary& Library() { return library_; }

  // Setting 6 also names the window the set-up dialog belongs to.
  void SetOption(uint32_t setting, uint32_t value);
  // Asks for the dialog at the next SaveSetup, which knows where the set-up
  // is kept and so what to start from.
  void RunSetup();
  void SaveSetup(HKEY root, const char* subKey);
  void LoadSetup(HKEY root, const char* subKey);

 private:
  static bool Kept(HKEY root, const char* subKey);

  // The game names its files without a directory and runs in its data
  // directory, so they are looked for in the working directory.
  LocalFiles files_;
  Win32SettingsStore registry_;
  // Before the library, which closes it when it goes.
  WaveOutOutput output_;
  MixingSoundLibrary library_;
  HWND owner_ = nullptr;
  bool setupAsked_ = false;
};

}  // namespace zorbulant
