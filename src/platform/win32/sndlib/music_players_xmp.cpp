// Music modules played by libxmp, linked into the DLL.
#include "platform/win32/sndlib/music_players.h"

#include "platform/xmp/xmp_module_player.h"

namespace zorbulant {

ModulePlayerFactory MusicPlayers() { return MakeXmpModulePlayer; }

}  // namespace zorbulant
