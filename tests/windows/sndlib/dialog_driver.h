// Answers the set-up dialog from a thread of its own, as a player would: waits
// for the dialog to come up, notes where its lists start, picks entries and
// presses a button.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <thread>

#include "platform/win32/sndlib/setup_dialog_ids.h"
#include "platform/win32/windows_api.h"

namespace zorbulant::testing {

// One value for each of the dialog's lists: device, rate, buffer.
template <typename Value>
using Lists = std::array<Value, 3>;

struct DialogAnswer {
  Lists<std::optional<int>> picks{};  // by place in the list; none keeps the shown entry
  int button = 0;                     // IDOK or IDCANCEL
};

class DialogDriver {
 public:
  explicit DialogDriver(DialogAnswer answer) : answer_(answer), thread_([this] { Answer(); }) {}
  ~DialogDriver() { Finish(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Stops waiting for a dialog that has not come up, and tells the entry each
  // list started at; nothing when no dialog came up. Called once the code
  // under test has returned.
  std::optional<Lists<LRESULT>> Finish() {
    finishing_ = true;
    if (thread_.joinable()) thread_.join();
    return shown_;
  }

 private:
  void Answer() {
    // Shown only once its lists are filled.
    HWND dialog = nullptr;
    for (; !finishing_; Sleep(10)) {
      dialog = FindWindowA("#32770", SETUP_TITLE);
      if (dialog != nullptr && IsWindowVisible(dialog)) break;
    }
    if (finishing_) return;
    const Lists<int> lists{SETUP_DEVICE, SETUP_RATE, SETUP_BUFFER};
    Lists<LRESULT>& shown = shown_.emplace();
    for (size_t i = 0; i < lists.size(); ++i) {
      shown[i] = SendDlgItemMessageA(dialog, lists[i], CB_GETCURSEL, 0, 0);
      if (const auto pick = answer_.picks[i]) {
        SendDlgItemMessageA(dialog, lists[i], CB_SETCURSEL, static_cast<WPARAM>(*pick), 0);
      }
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer_.button, BN_CLICKED), 0);
  }

  DialogAnswer answer_;
  std::optional<Lists<LRESULT>> shown_;
  std::atomic<bool> finishing_ = false;
  std::thread thread_;
};

}  // namespace zorbulant::testing
