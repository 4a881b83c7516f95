// The scripted run's display and window procedure.
#include "platform/win32/scripted_display.h"

namespace zorbulant {

namespace {
// The refresh the headless display waits for.
constexpr uint32_t RefreshHertz = 70;
}  // namespace

ScriptedDisplay::ScriptedDisplay(DisplayDevice& shown, HeadlessClock& clock,
                                 std::function<void()> afterFlip)
    : shown_(shown), clock_(clock), afterFlip_(std::move(afterFlip)) {}

bool ScriptedDisplay::Flip() {
  // The virtual clock moves whatever the real display did, so that the run's
  // time never depends on the machine.
  const bool flipped = shown_.Flip();
  clock_.WaitForRefresh(RefreshHertz);
  if (afterFlip_) afterFlip_();
  return flipped;
}

uint32_t PictureWindowProcedure::HandleMessage(const WindowMessage& message) {
  switch (message.id) {
    case MessageId::KeyDown:
    case MessageId::KeyUp:
    case MessageId::SysKeyDown:
    case MessageId::SysKeyUp:
    case MessageId::Close:
      return 0;
    default:
      return window_.DefaultHandling(message);
  }
}

}  // namespace zorbulant
