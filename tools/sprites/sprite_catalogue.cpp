// The named sprites' places in the sheet: the gaps between the hero pictures,
// the head-up display's icons, the flame and the death animation.
#include "sprites/sprite_catalogue.h"

namespace zorbulant::tools {

namespace {

// Pick-ups shine or beat (four frames), keys glint or blink and switches
// blink their lamps (two); a switch shows its spent picture, a still frame of
// its own, once it has fired; enemies have four-frame walk cycles.
constexpr SpriteEntry Catalogue[] = {
    // From the last hero picture to the hearts icon.
    {"heart", 46'592, 16, 16, 4},
    {"grenades", 47'616, 16, 16, 4},
    {"fuel", 48'640, 16, 16, 4},
    {"laser", 49'664, 16, 16, 4},
    {"key-a", 50'688, 16, 16, 2},
    {"button-spent", 51'200, 16, 16, 1},
    // Between the hearts icon and the fuel icon.
    {"key-b", 51'760, 16, 16, 2},
    {"lever-spent", 52'272, 16, 16, 1},
    // From the flame to the death animation.
    {"double-damage", 54'304, 16, 16, 4},
    {"lever", 55'328, 16, 16, 2},
    {"button", 55'840, 16, 16, 2},
    {"lock", 56'352, 16, 32, 2},
    {"lock-spent", 57'376, 16, 32, 1},
    {"crate", 57'888, 24, 24, 1},
    {"crate-broken", 58'464, 24, 24, 1},
    {"guard", 59'040, 16, 32, 4},
    {"crawler", 61'088, 24, 16, 4},
    {"drone", 62'624, 24, 16, 4},
};

}  // namespace

std::span<const SpriteEntry> SpriteCatalogue() { return Catalogue; }

const SpriteEntry* FindSprite(std::string_view name) {
  for (const SpriteEntry& entry : Catalogue) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace zorbulant::tools
