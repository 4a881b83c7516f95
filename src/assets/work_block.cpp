// Allocation of the work block.
#include "assets/work_block.h"

#include <new>

namespace zorbulant {

bool WorkBlock::Allocate() {
  // Zero-filled rather than left as it comes: what a region holds before its
  // first load is then the same on every run, which replays and shots need.
  bytes_.reset(new (std::nothrow) uint8_t[regions::WorkBlockSize]());
  return bytes_ != nullptr;
}

}  // namespace zorbulant
