// A mistake in a map, a tileset or a level file. The message is one line that
// names the file and the place in it, ready to be shown as it is.
#pragma once

#include <stdexcept>
#include <string>

namespace zorbulant::tools {

class LevelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zorbulant::tools
