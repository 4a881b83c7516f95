// The library instance: the mixing library's exports, with the set-up dialog
// and the registry root added here.
#include "platform/win32/sndlib/sound_library_instance.h"

#include "platform/win32/sndlib/music_players.h"
#include "platform/win32/sndlib/setup_dialog.h"
#include "platform/win32/sndlib/sound_library_exports.h"

namespace zorbulant {

namespace {

constexpr uint32_t OptionWindow = 6;

}  // namespace

SoundLibraryInstance::SoundLibraryInstance()
    : files_("."), library_(files_, registry_, &output_, MusicPlayers()) {}

void SoundLibraryInstance::SetOption(uint32_t setting, uint32_t value) {
  if (setting == OptionWindow) owner_ = sndlib::WidenHandle<HWND>(value);
  library_.SetOption(setting, value);
}

void SoundLibraryInstance::RunSetup() { setupAsked_ = true; }

bool SoundLibraryInstance::Kept(HKEY root, const char* subKey) {
  return root == HKEY_LOCAL_MACHINE && subKey != nullptr;
}

void SoundLibraryInstance::SaveSetup(HKEY root, const char* subKey) {
  if (!Kept(root, subKey)) return;
  SoundSetup setup;
  LoadSoundSetup(registry_, subKey, setup);
  if (setupAsked_) RunSetupDialog(owner_, output_.DeviceNames(), setup);
  setupAsked_ = false;
  SaveSoundSetup(registry_, subKey, setup);
}

void SoundLibraryInstance::LoadSetup(HKEY root, const char* subKey) {
  if (Kept(root, subKey)) library_.LoadSetup(sndlib::NarrowHandle(root), subKey);
}

}  // namespace zorbulant
