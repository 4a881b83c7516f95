// The real clock: waits end neither early nor much late, and refresh waits
// keep to the 70 Hz grid.
#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>

namespace zorbulant {
namespace {

TEST(Win32Clock, WaitsEndOnceTheirTimeHasPassed) {
  Win32Clock clock;
  const uint32_t since = clock.Milliseconds();
  const uint32_t reading = clock.WaitForElapsed(since, 20);
  EXPECT_GE(reading - since, 20u);
  EXPECT_LT(reading - since, 200u);
  // A wait already over returns at once.
  EXPECT_LT(clock.WaitForElapsed(reading - 1000, 7) - reading, 5u);

  clock.WaitForRefresh(70);
  const uint32_t start = clock.Milliseconds();
  for (int i = 0; i < 35; ++i) clock.WaitForRefresh(70);
  const uint32_t elapsed = clock.Milliseconds() - start;
  EXPECT_GE(elapsed, 495u);
  EXPECT_LT(elapsed, 700u);
}

}  // namespace
}  // namespace zorbulant
