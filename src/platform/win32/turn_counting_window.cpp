#include "platform/win32/turn_counting_window.h"

namespace zorbulant {

TurnCountingWindow::TurnCountingWindow(Win32Window& window, uint32_t closeAfterTurns)
    : WindowWrapper(window), window_(window), closeAfterTurns_(closeAfterTurns) {}

bool TurnCountingWindow::MessageWaiting() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  ++turn_;
  turnOpen_ = true;
  if (closeAfterTurns_ != 0 && turn_ == closeAfterTurns_ + 1) window_.PostClose();
  return window_.MessageWaiting();
}

void TurnCountingWindow::EndOpenTurn() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  turnOpen_ = false;
}

}  // namespace zorbulant
