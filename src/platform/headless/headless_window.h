// The headless backend's window: its messages come from a script, one turn of
// the main loop at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/window.h"

namespace zorbulant {

// A message scheduled for the start of a turn (turns count from 1).
struct ScheduledMessage {
  uint32_t turn = 0;
  WindowMessage message;
};

class HeadlessWindow final : public Window {
 public:
  // Called with the number of each turn once it has ended.
  using TurnEnded = std::function<void(uint32_t turn)>;

  // `closeAfterTurns` posts a close message at the start of the turn after it
  // (0: never). `schedule` must be in turn order.
  HeadlessWindow(std::vector<ScheduledMessage> schedule, uint32_t closeAfterTurns);

  void OnTurnEnded(TurnEnded listener) { turnEnded_ = std::move(listener); }
  void OnDeactivated(std::function<void()> listener) { deactivated_ = std::move(listener); }
  // Reports the turn still open when the program has ended.
  void EndOpenTurn();
  uint32_t Turn() const { return turn_; }

  uint32_t CreateMainWindow(WindowProcedure& procedure) override;
  int32_t ShowCursor(bool show) override;
  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;
  uint32_t Dispatch(const WindowMessage& message) override;
  uint32_t DefaultHandling(const WindowMessage& message) override;
  void PostQuit(int32_t exitCode) override;
  void DestroyMainWindow() override;
  void SetFocus() override {}
  // A headless window has nothing to show a caption on.
  TextDevice* GetWindowTextContext() override { return nullptr; }
  void ReleaseWindowTextContext(TextDevice*) override {}

 private:
  void BeginTurn();

  std::vector<ScheduledMessage> schedule_;
  size_t nextScheduled_ = 0;
  uint32_t closeAfterTurns_;
  uint32_t turn_ = 0;
  bool turnOpen_ = false;
  std::deque<WindowMessage> queue_;
  WindowProcedure* procedure_ = nullptr;
  int32_t cursorCount_ = 0;
  TurnEnded turnEnded_;
  std::function<void()> deactivated_;
};

}  // namespace zorbulant
