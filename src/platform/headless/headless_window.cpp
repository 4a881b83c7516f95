#include "platform/headless/headless_window.h"

namespace zorbulant {

HeadlessWindow::HeadlessWindow(std::vector<ScheduledMessage> schedule, uint32_t closeAfterTurns)
    : schedule_(std::move(schedule)), closeAfterTurns_(closeAfterTurns) {}

uint32_t HeadlessWindow::CreateMainWindow(WindowProcedure& procedure) {
  procedure_ = &procedure;
  // A new window is activated while it is created and shown.
  procedure.HandleMessage({MessageId::ActivateApp, 1, 0});
  return 1;
}

int32_t HeadlessWindow::ShowCursor(bool show) { return cursorCount_ += show ? 1 : -1; }

void HeadlessWindow::BeginTurn() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  ++turn_;
  turnOpen_ = true;
  while (nextScheduled_ < schedule_.size() && schedule_[nextScheduled_].turn <= turn_) {
    queue_.push_back(schedule_[nextScheduled_++].message);
  }
  if (closeAfterTurns_ != 0 && turn_ == closeAfterTurns_ + 1) {
    queue_.push_back({MessageId::Close, 0, 0});
  }
}

void HeadlessWindow::EndOpenTurn() {
  if (turnOpen_ && turnEnded_) turnEnded_(turn_);
  turnOpen_ = false;
}

bool HeadlessWindow::MessageWaiting() {
  // The main loop asks once at the start of every turn.
  BeginTurn();
  return !queue_.empty();
}

bool HeadlessWindow::TakeMessage(WindowMessage& message) {
  // Nothing will ever arrive once the script is spent: end like a closed window
  // would, instead of waiting forever.
  if (queue_.empty()) {
    message = {MessageId::Quit, 0, 0};
    return false;
  }
  message = queue_.front();
  queue_.pop_front();
  return message.id != MessageId::Quit;
}

uint32_t HeadlessWindow::Dispatch(const WindowMessage& message) {
  if (message.id == MessageId::ActivateApp && message.wParam == 0 && deactivated_) deactivated_();
  return procedure_ != nullptr ? procedure_->HandleMessage(message) : 0;
}

uint32_t HeadlessWindow::DefaultHandling(const WindowMessage&) { return 0; }

void HeadlessWindow::PostQuit(int32_t exitCode) {
  queue_.push_back({MessageId::Quit, static_cast<uint32_t>(exitCode), 0});
}

void HeadlessWindow::DestroyMainWindow() {
  if (procedure_ == nullptr) return;
  WindowProcedure* procedure = procedure_;
  procedure_ = nullptr;
  procedure->HandleMessage({MessageId::Destroy, 0, 0});
}

}  // namespace zorbulant
