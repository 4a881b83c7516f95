// Waiting sleeps for most of the time and spins only for the last fraction,
// which a sleep may overshoot: at 70 frames a second a long spin would be most
// of what the game costs.
#include "platform/win32/win32_clock.h"

#include "platform/win32/windows_api.h"

// After windows.h, which it needs.
#include <mmsystem.h>

namespace zorbulant {

namespace {

constexpr uint64_t SpinMicroseconds = 1500;

uint64_t Microseconds() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  const auto ticks = static_cast<uint64_t>(counter.QuadPart);
  const auto perSecond = static_cast<uint64_t>(frequency.QuadPart);
  // Whole seconds and the rest apart: the counter times a million would
  // overflow after some days of the machine's uptime.
  return ticks / perSecond * 1'000'000 + ticks % perSecond * 1'000'000 / perSecond;
}

void SleepMicroseconds(uint64_t remaining) {
  if (remaining > SpinMicroseconds) {
    ::Sleep(static_cast<DWORD>((remaining - SpinMicroseconds) / 1000));
  } else {
    ::Sleep(0);
  }
}

}  // namespace

Win32Clock::Win32Clock() { ::timeBeginPeriod(1); }

Win32Clock::~Win32Clock() { ::timeEndPeriod(1); }

uint32_t Win32Clock::Milliseconds() { return ::timeGetTime(); }

uint32_t Win32Clock::WaitForElapsed(uint32_t since, uint32_t duration) {
  for (;;) {
    const uint32_t now = ::timeGetTime();
    const uint32_t elapsed = now - since;
    if (elapsed >= duration) return now;
    SleepMicroseconds(uint64_t{duration - elapsed} * 1000);
  }
}

void Win32Clock::WaitForRefresh(uint32_t hertz) {
  if (hertz == 0) return;
  const uint64_t next = Microseconds() * hertz / 1'000'000 + 1;
  const uint64_t target = (next * 1'000'000 + hertz - 1) / hertz;
  for (uint64_t now = Microseconds(); now < target; now = Microseconds()) {
    SleepMicroseconds(target - now);
  }
}

}  // namespace zorbulant
