// Music modules played by libxmp: ProTracker ".mod" and every other format
// libxmp reads.
#pragma once

#include <memory>

#include "platform/module_player.h"

namespace zorbulant {

std::unique_ptr<ModulePlayer> MakeXmpModulePlayer();

}  // namespace zorbulant
