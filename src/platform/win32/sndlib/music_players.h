// The module players behind the library's music.
#pragma once

#include "platform/module_player.h"

namespace zorbulant {

ModulePlayerFactory MusicPlayers();

}  // namespace zorbulant
