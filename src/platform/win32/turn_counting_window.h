// The main window as a live run's trace sees it: the main loop's turns are
// counted where each one starts, when it asks whether a message is waiting,
// as the headless window counts them.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/demo/window_wrapper.h"
#include "platform/win32/win32_window.h"

namespace zorbulant {

class TurnCountingWindow final : public WindowWrapper {
 public:
  // Called with the number of each turn once it has ended.
  using TurnEnded = std::function<void(uint32_t turn)>;

  // `closeAfterTurns` asks the window to close at the start of the turn after
  // it (0: never).
  TurnCountingWindow(Win32Window& window, uint32_t closeAfterTurns);

  void OnTurnEnded(TurnEnded listener) { turnEnded_ = std::move(listener); }
  // Reports the turn still open when the program has ended.
  void EndOpenTurn();
  uint32_t Turn() const { return turn_; }

  bool MessageWaiting() override;

 private:
  Win32Window& window_;
  uint32_t closeAfterTurns_;
  uint32_t turn_ = 0;
  bool turnOpen_ = false;
  TurnEnded turnEnded_;
};

}  // namespace zorbulant
