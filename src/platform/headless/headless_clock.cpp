#include "platform/headless/headless_clock.h"

namespace zorbulant {

uint32_t HeadlessClock::Milliseconds() { return static_cast<uint32_t>(microseconds_ / 1000); }

uint32_t HeadlessClock::WaitForElapsed(uint32_t since, uint32_t duration) {
  const uint32_t elapsed = Milliseconds() - since;
  if (elapsed >= duration) return Milliseconds();
  microseconds_ = (microseconds_ / 1000 + (duration - elapsed)) * 1000;
  return Milliseconds();
}

void HeadlessClock::WaitForRefresh(uint32_t hertz) {
  if (hertz == 0) return;
  // Refresh k happens at k / hertz seconds, rounded up to a whole microsecond.
  const uint64_t next = microseconds_ * hertz / 1'000'000 + 1;
  microseconds_ = (next * 1'000'000 + hertz - 1) / hertz;
}

}  // namespace zorbulant
