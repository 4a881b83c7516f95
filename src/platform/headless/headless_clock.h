// The headless backend's virtual clock: it moves only when the game waits, so
// runs do not depend on the machine's speed.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace zorbulant {

class HeadlessClock final : public Clock {
 public:
  uint32_t Milliseconds() override;
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override;
  // Moves on to the next refresh of a display running at `hertz`.
  void WaitForRefresh(uint32_t hertz);
  uint64_t Microseconds() const { return microseconds_; }

 private:
  uint64_t microseconds_ = 0;
};

}  // namespace zorbulant
