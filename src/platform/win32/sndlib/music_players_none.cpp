// A DLL built without libxmp has no module player: every module fails to load
// and the library plays samples only.
#include "platform/win32/sndlib/music_players.h"

namespace zorbulant {

ModulePlayerFactory MusicPlayers() { return {}; }

}  // namespace zorbulant
