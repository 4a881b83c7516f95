// One problem the checker found in a level, with the place it is at.
#pragma once

#include <string>

namespace zorbulant::tools {

struct LevelProblem {
  std::string place;  // "header", "picture", "'door' (block at 48,32)"...
  std::string what;
};

}  // namespace zorbulant::tools
