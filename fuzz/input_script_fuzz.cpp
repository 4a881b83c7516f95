// Parses the fuzzer's input as an input script of the headless runner, writes
// what it gave back as a script and parses that again.
//
// What must hold: a refused script names a line of the text and a reason and
// gives no messages; an accepted one gives messages in turn order, each a key,
// close or activation message with a turn of 1 or more, no more of them than
// the text has lines; and the script written back from them parses to the
// same messages.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/keyboard_handler.h"

namespace zorbulant {
namespace {

// The keys a script may name; the arrows and the keypad's "/" are extended
// keys, which a scan code cannot say.
struct NamedKey {
  const char* name;
  uint32_t scanCode;
};
constexpr NamedKey ExtendedKeys[] = {{"Up", scancode::Up},
                                     {"Down", scancode::Down},
                                     {"Left", scancode::Left},
                                     {"Right", scancode::Right},
                                     {"KP/", scancode::Slash}};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "input_script_fuzz: %s\n", what);
  std::abort();
}

bool IsKeyMessage(MessageId id) {
  return id == MessageId::KeyDown || id == MessageId::KeyUp || id == MessageId::SysKeyDown ||
         id == MessageId::SysKeyUp;
}

std::string KeyWord(uint32_t lParam) {
  const uint32_t scanCode = (lParam >> keybits::ScanCodeShift) & 0xFF;
  if ((lParam & keybits::Extended) != 0) {
    for (const NamedKey& key : ExtendedKeys) {
      if (key.scanCode == scanCode) return key.name;
    }
    Fail("an extended key that no name stands for");
  }
  char word[8];
  std::snprintf(word, sizeof word, "0x%02X", scanCode);
  return word;
}

// One script line that stands for `scheduled`.
std::string Line(const ScheduledMessage& scheduled) {
  const WindowMessage& message = scheduled.message;
  std::string line = std::to_string(scheduled.turn) + " ";
  if (message.id == MessageId::Close) return line + "close";
  if (message.id == MessageId::ActivateApp) {
    return line + (message.wParam != 0 ? "activate" : "deactivate");
  }
  if (!IsKeyMessage(message.id)) Fail("a message of an unknown kind");
  const bool released = (message.lParam & keybits::Released) != 0;
  const bool repeated = (message.lParam & keybits::WasDown) != 0;
  const char* action = released ? "release" : repeated ? "repeat" : "press";
  return line + action + " " + KeyWord(message.lParam);
}

bool Same(const std::vector<ScheduledMessage>& a, const std::vector<ScheduledMessage>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ScheduledMessage& x, const ScheduledMessage& y) {
                      return x.turn == y.turn && x.message.id == y.message.id &&
                             x.message.wParam == y.message.wParam &&
                             x.message.lParam == y.message.lParam;
                    });
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;

  InputScriptError error;
  const std::vector<ScheduledMessage> schedule = ParseInputScript(text, error);
  if (!error.message.empty()) {
    if (error.line == 0 || error.line > lines) Fail("an error names no line of the script");
    if (!schedule.empty()) Fail("a refused script gave messages");
    return 0;
  }
  if (schedule.size() > lines) Fail("more messages than lines");
  std::string written;
  for (size_t i = 0; i < schedule.size(); ++i) {
    if (schedule[i].turn == 0) Fail("a message in turn 0");
    if (i > 0 && schedule[i].turn < schedule[i - 1].turn) Fail("messages out of turn order");
    written += Line(schedule[i]) + "\n";
  }

  InputScriptError again;
  const std::vector<ScheduledMessage> reread = ParseInputScript(written, again);
  if (!again.message.empty()) {
    std::fprintf(stderr, "input_script_fuzz: the script written back fails at line %zu: %s\n",
                 again.line, again.message.c_str());
    std::abort();
  }
  if (!Same(reread, schedule)) Fail("the script written back gives other messages");
  return 0;
}
