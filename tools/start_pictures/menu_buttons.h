// The three main-menu buttons. Each picture holds two faces of 32 rows, the
// front above the back; the selected button turns and shows both. Pixel value
// 0 is transparent.
#pragma once

#include "common/indexed_gif.h"

namespace zorbulant::tools {

IndexedPicture GoButton();      // 80 wide, "GO" in green
IndexedPicture ConfigButton();  // 32 wide, a gear
IndexedPicture ExitButton();    // 85 wide, "EXIT" in red

}  // namespace zorbulant::tools
