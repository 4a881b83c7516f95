// The level search.
#include "world/level_search.h"

#include <algorithm>

#include "assets/file_loader.h"
#include "flow/game.h"

namespace zorbulant {

void LevelCode(uint32_t levelNumber, char letters[3]) {
  letters[0] = static_cast<char>('a' + ((levelNumber >> 8) & 255));
  letters[1] = static_cast<char>('a' + ((levelNumber >> 4) & 15));
  letters[2] = static_cast<char>('a' + (levelNumber & 15));
}

void FindLevel(Game& game) {
  LevelSearch& level = game.level;
  for (;;) {
    LevelCode(level.LevelNumber, level.LevelSearchName + 5);
    if (game.platform.files.Exists(level.LevelSearchName)) {
      level.LastFoundLevel = level.LevelNumber;
      std::copy_n(level.LevelSearchName, 8, level.LevelPictureName);
      std::copy_n(level.LevelSearchName, 8, level.LevelDataName);
      std::copy_n(level.LevelSearchName + 5, 3, level.LevelGraphicsName + 5);
      level.LevelSearchStep = 1;
      LoadWholeFile(game, level.LevelDataName, regions::LevelFileLength, regions::LevelHeader);
      return;
    }
    // Downwards the search stops short of 0 unless it started there; upwards
    // it gives up when the number wraps to 0.
    if (level.LevelSearchStep != 1 && level.LevelNumber == 0) break;
    level.LevelNumber = (level.LevelNumber + static_cast<uint32_t>(level.LevelSearchStep)) & 1023;
    if (level.LevelNumber == 0) break;
  }
  level.LevelNumber = level.LastFoundLevel;
}

}  // namespace zorbulant
