// The millisecond clock of timeGetTime, and the display's refresh kept on a
// finer counter.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace zorbulant {

class Win32Clock final : public Clock {
 public:
  // Asks the system for 1 ms timer resolution for the clock's life, so that
  // sleeping for a few milliseconds does not take a whole scheduler tick.
  Win32Clock();
  ~Win32Clock() override;
  Win32Clock(const Win32Clock&) = delete;
  Win32Clock& operator=(const Win32Clock&) = delete;

  uint32_t Milliseconds() override;
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override;
  // Waits until the next refresh of a display running at `hertz`.
  void WaitForRefresh(uint32_t hertz);
};

}  // namespace zorbulant
