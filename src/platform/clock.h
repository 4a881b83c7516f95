// The millisecond clock and waiting: what the game used of timeGetTime.
#pragma once

#include <cstdint>

namespace zorbulant {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds, wrapping at 2^32 like timeGetTime.
  virtual uint32_t Milliseconds() = 0;

  // Stands for "read the clock until now - since >= duration" (unsigned, so the
  // wrap does no harm) and returns that first reading. Backends sleep for most
  // of the wait and spin only for the last fraction.
  virtual uint32_t WaitForElapsed(uint32_t since, uint32_t duration) = 0;
};

}  // namespace zorbulant
