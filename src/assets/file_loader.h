// Whole-file loading into work-block regions, and the start-up load of the
// fixed pictures, the settings and the menu music.
#pragma once

#include <cstdint>

#include "assets/work_block.h"

namespace zorbulant {

struct Game;

// Reads up to `length` bytes of the named file into the start of `destination`
// (never past the region's end). A shorter file fills only the first part; the
// rest keeps what it held. False, with nothing changed, when the file cannot be
// opened.
bool LoadWholeFile(Game& game, const char* fileName, uint32_t length, Region destination);

// Allocates the work block, decodes the five fixed pictures, loads the settings
// and starts the menu music. False only when the work block cannot be had.
bool LoadStartupAssets(Game& game);

}  // namespace zorbulant
