// Level numbers, the file names they give, and the search for the nearest
// level whose data file exists.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

struct LevelSearch {
  uint32_t LevelNumber = 0;
  uint32_t LastFoundLevel = 1;
  int32_t LevelSearchStep = 1;  // +1 normally, -1 after a step down in the picker
  char LevelSearchName[13] = "levelaaa.jmp";
  char LevelDataName[13] = "levelaaa.jmp";
  char LevelPictureName[13] = "levelaaa.gif";
  char LevelGraphicsName[13] = "lvlgxaaa.gif";
};

// The three letters of level n: 'a' + bits 8-15 (wrapping in a byte), 4-7, 0-3.
void LevelCode(uint32_t levelNumber, char letters[3]);

// Settles LevelNumber on a level whose data file exists, searching in the
// direction of LevelSearchStep, and loads that file into the LevelHeader;
// without any, falls back to LastFoundLevel.
void FindLevel(Game& game);

}  // namespace zorbulant
