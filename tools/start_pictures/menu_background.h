// The picture behind the main menu, the mission intro and the configuration
// screen: an alien night with the outpost and the game's name.
#pragma once

#include "common/indexed_gif.h"

namespace zorbulant::tools {

IndexedPicture MenuBackground();

}  // namespace zorbulant::tools
