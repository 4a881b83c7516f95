// The hero-lost screen: the death animation where the hero stood while the
// level goes on around it, then a restart of the level.
#pragma once

namespace zorbulant {

struct Game;

void HeroLostFrame(Game& game);

}  // namespace zorbulant
