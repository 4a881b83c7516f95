// Where the hero's foot point can get to from the start, found by a flood
// over the collision map that follows the hero's own movement rules:
// - it walks one pixel sideways; where the pixel above its foot, here or on
//   that side, is solid it is lifted by one (a one-pixel step is climbed),
//   unless the pixel two above the foot on that side is solid too: a wall,
//   which stops it. Near the top row nothing lies two above, so nothing stops
//   it there;
// - standing on (or in) solid pixels it jumps up to 67 pixels, through
//   anything: the jump does not look at solid pixels, and a hero buried in
//   solid pixels stands and can jump again;
// - otherwise it falls; in the air it moves one pixel sideways per frame of
//   its jump, and one for each pixel it sinks once the jump is spent.
// The flood may find a little more than a player can reach (it never waits
// for the jump to recharge), never less.
#pragma once

#include <cstdint>
#include <vector>

#include "common/indexed_gif.h"

namespace zorbulant::tools {

struct ReachArea {
  uint32_t width = 0;   // LevelWidth: the hero leaves the level past either side
  uint32_t height = 0;  // LevelHeight: and falls out of it below
  bool wrap = false;    // falling out comes back in at the top
};

struct HeroReach {
  std::vector<uint32_t> leftEscapes;   // rows at which the hero walks out past the left edge
  std::vector<uint32_t> rightEscapes;  // ... past the right edge
  std::vector<uint32_t> pitColumns;    // columns at which it falls out of the bottom
  std::vector<bool> reached;           // foot points, 1280 per row, as high as the area
  bool Reached(uint32_t x, uint32_t y) const;
};

// A full jump from a jump power of 12 rises 56 pixels; a short tap before
// it leaves an odd power behind, which recharges to 13 and rises 67.
inline constexpr uint32_t HeroJumpHeight = 67;

// `collision` is 1280 pixels wide; rows below it are empty.
HeroReach ExploreHeroReach(const IndexedPicture& collision, const ReachArea& area, uint32_t startX,
                           uint32_t startY);

}  // namespace zorbulant::tools
