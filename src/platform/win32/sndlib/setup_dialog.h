// The library's own set-up as a dialog box: the output device, the mixing rate
// and the buffer, each chosen from a list. A Windows program has no terminal
// to ask on, so this takes the place of the desktop's questions.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

#include "sound/sound_setup.h"

namespace zorbulant {

// Shows the dialog over `owner` (none: on its own) and waits for it. OK takes
// the choices into `setup` and gives true; Cancel, or a dialog that cannot be
// shown, leaves `setup` as it was. `devices` are the outputs to choose from
// besides the system's default.
bool RunSetupDialog(HWND owner, const std::vector<std::string>& devices, SoundSetup& setup);

}  // namespace zorbulant
