// The hero's 91 pictures of 16 x 32, composed from the parts drawn in the
// sprite sources (head, torso, legs in their walk poses, whole bodies for the
// jump, the landing and the crouch, and each weapon held with its arm), so a
// part drawn once serves every weapon and every pose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sprites/sprite_shelf.h"

namespace zorbulant::tools {

inline constexpr uint32_t HeroPictureCount = 91;
inline constexpr uint32_t HeroWidth = 16;
inline constexpr uint32_t HeroHeight = 32;

// Picture numbers: the walk cycle, then the jump, the landing and the crouch,
// and those 19 again for each weapon; the idle sequences and the reload.
inline constexpr uint32_t HeroWalkFrames = 16;
inline constexpr uint32_t HeroInAir = 16;
inline constexpr uint32_t HeroLanding = 17;
inline constexpr uint32_t HeroDucking = 18;
inline constexpr uint32_t HeroWeaponPictures = 19;  // per weapon, the pistol's first
inline constexpr uint32_t HeroIdleA = 76;
inline constexpr uint32_t HeroIdleB = 81;
inline constexpr uint32_t HeroReload = 86;

// The pictures one after another, 512 bytes each, the background 255. Empty,
// with `error` set, when a part is missing, has the wrong size or falls
// outside a picture.
std::vector<uint8_t> ComposeHeroPictures(SpriteShelf& shelf, std::string& error);

}  // namespace zorbulant::tools
