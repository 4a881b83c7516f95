// The dialog's answering thread.
#include "dialog_driver.h"

#include "platform/win32/sndlib/setup_dialog_ids.h"
#include "platform/win32/windows_api.h"

namespace zorbulant::testing {

namespace {

constexpr const char* DialogClass = "#32770";
constexpr DWORD PollMilliseconds = 10;

ListView View(HWND dialog, int list) {
  return {SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0),
          SendDlgItemMessageA(dialog, list, CB_GETCOUNT, 0, 0)};
}

void Pick(HWND dialog, int list, const std::optional<int>& entry) {
  if (entry) SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(*entry), 0);
}

}  // namespace

DialogDriver::DialogDriver(DialogAnswer answer)
    : answer_(answer), thread_(&DialogDriver::Answer, this) {}

DialogDriver::~DialogDriver() { Finish(); }

DialogSeen DialogDriver::Finish() {
  finishing_ = true;
  if (thread_.joinable()) thread_.join();
  return seen_;
}

void DialogDriver::Answer() {
  // Shown only once its lists are filled.
  HWND dialog = nullptr;
  while (!finishing_) {
    dialog = FindWindowA(DialogClass, SETUP_TITLE);
    if (dialog != nullptr && IsWindowVisible(dialog)) break;
    Sleep(PollMilliseconds);
  }
  if (finishing_) return;
  seen_.shown = true;
  seen_.device = View(dialog, SETUP_DEVICE);
  seen_.rate = View(dialog, SETUP_RATE);
  seen_.buffer = View(dialog, SETUP_BUFFER);
  Pick(dialog, SETUP_DEVICE, answer_.device);
  Pick(dialog, SETUP_RATE, answer_.rate);
  Pick(dialog, SETUP_BUFFER, answer_.buffer);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer_.button, BN_CLICKED), 0);
}

}  // namespace zorbulant::testing
