// Answers the set-up dialog from a thread of its own, as a player would: waits
// for the dialog to come up, notes what its lists show, picks entries and
// presses a button.
#pragma once

#include <atomic>
#include <optional>
#include <thread>

namespace zorbulant::testing {

struct DialogAnswer {
  // The entries to pick, by their place in each list; none keeps the shown one.
  std::optional<int> device;
  std::optional<int> rate;
  std::optional<int> buffer;
  int button = 0;  // IDOK or IDCANCEL
};

// Presses `button` with every list as the dialog shows it.
inline DialogAnswer Press(int button) {
  DialogAnswer answer;
  answer.button = button;
  return answer;
}

struct ListView {
  long long selected = -1;
  long long count = 0;
};

struct DialogSeen {
  bool shown = false;
  ListView device;
  ListView rate;
  ListView buffer;
};

class DialogDriver {
 public:
  explicit DialogDriver(DialogAnswer answer);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Stops waiting for a dialog that has not come up, and tells what was seen.
  // Called once the code under test has returned.
  DialogSeen Finish();

 private:
  void Answer();

  DialogAnswer answer_;
  DialogSeen seen_;
  std::atomic<bool> finishing_ = false;
  std::thread thread_;
};

}  // namespace zorbulant::testing
