// The configuration screen: volume and game speed with a live preview, saved
// to the settings store or given up.
#pragma once

namespace zorbulant {

struct Game;

void ConfigurationFrame(Game& game);

}  // namespace zorbulant
