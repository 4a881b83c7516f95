// Parsing of input scripts.
#include "platform/headless/input_script.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/keyboard_handler.h"

namespace zorbulant {

namespace {

struct KeyName {
  std::string_view name;
  uint32_t scanCode;
  bool extended;
};

// The arrows are those of the separate arrow block, which Windows marks as
// extended keys; so is the keypad's "/".
constexpr KeyName KeyNames[] = {
    {"Escape", scancode::Escape, false},  {"Space", scancode::Space, false},
    {"Enter", scancode::Enter, false},    {"Up", scancode::Up, true},
    {"Down", scancode::Down, true},       {"Left", scancode::Left, true},
    {"Right", scancode::Right, true},     {"Ctrl", scancode::Ctrl, false},
    {"Alt", scancode::Alt, false},        {"1", scancode::Key1, false},
    {"2", scancode::Key2, false},         {"3", scancode::Key3, false},
    {"KP+", scancode::KeypadPlus, false}, {"KP-", scancode::KeypadMinus, false},
    {"KP*", scancode::KeypadStar, false}, {"KP/", scancode::Slash, true},
};

bool ParseNumber(std::string_view text, uint32_t& value, int base) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseKey(std::string_view word, KeyName& key) {
  for (const KeyName& known : KeyNames) {
    if (word == known.name) {
      key = known;
      return true;
    }
  }
  uint32_t code = 0;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X') &&
      ParseNumber(word.substr(2), code, 16) && code <= 0xFF) {
    key = {word, code, false};
    return true;
  }
  return false;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t position = 0;
  while (position < line.size()) {
    const size_t start = line.find_first_not_of(" \t\r", position);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    words.push_back(line.substr(start, end - start));
    position = end;
  }
  return words;
}

}  // namespace

uint32_t KeyMessageParam(uint32_t scanCode, bool extended, bool alt, bool wasDown, bool released) {
  uint32_t lParam = 1 | (scanCode & 0xFF) << keybits::ScanCodeShift;
  if (extended) lParam |= keybits::Extended;
  if (alt) lParam |= keybits::AltDown;
  if (wasDown) lParam |= keybits::WasDown;
  if (released) lParam |= keybits::Released;
  return lParam;
}

std::vector<ScheduledMessage> ParseInputScript(std::string_view text, InputScriptError& error) {
  std::vector<ScheduledMessage> schedule;
  size_t lineNumber = 0;
  size_t position = 0;
  while (position <= text.size()) {
    size_t end = text.find('\n', position);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(position, end - position);
    position = end + 1;
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;

    auto fail = [&](std::string message) {
      error = {lineNumber, std::move(message)};
      return std::vector<ScheduledMessage>{};
    };
    uint32_t turn = 0;
    if (!ParseNumber(words[0], turn, 10) || turn == 0) {
      return fail("expected a turn number of 1 or more, found \"" + std::string(words[0]) + "\"");
    }
    const std::string_view action = words.size() > 1 ? words[1] : std::string_view();
    ScheduledMessage scheduled{turn, {}};
    if (action == "close" || action == "activate" || action == "deactivate") {
      if (words.size() != 2) return fail("\"" + std::string(action) + "\" takes no key");
      scheduled.message = action == "close" ? WindowMessage{MessageId::Close, 0, 0}
                                            : WindowMessage{MessageId::ActivateApp,
                                                            action == "activate" ? 1u : 0u, 0};
    } else if (action == "press" || action == "release" || action == "repeat") {
      if (words.size() != 3) return fail("\"" + std::string(action) + "\" needs one key");
      KeyName key;
      if (!ParseKey(words[2], key)) return fail("unknown key \"" + std::string(words[2]) + "\"");
      const bool released = action == "release";
      const bool alt = key.scanCode == scancode::Alt;
      // Alt, like any key with Alt, arrives as a system key message.
      const MessageId id = alt ? (released ? MessageId::SysKeyUp : MessageId::SysKeyDown)
                               : (released ? MessageId::KeyUp : MessageId::KeyDown);
      scheduled.message = {id, 0,
                           KeyMessageParam(key.scanCode, key.extended, alt && !released,
                                           action != "press", released)};
    } else {
      return fail("unknown action \"" + std::string(action) +
                  "\" (press, release, repeat, close, activate or deactivate)");
    }
    schedule.push_back(scheduled);
  }
  std::stable_sort(
      schedule.begin(), schedule.end(),
      [](const ScheduledMessage& a, const ScheduledMessage& b) { return a.turn < b.turn; });
  return schedule;
}

std::optional<std::vector<ScheduledMessage>> ReadInputScript(const std::filesystem::path& path,
                                                             std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read input script " + path.string();
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  InputScriptError problem;
  std::vector<ScheduledMessage> schedule = ParseInputScript(text.str(), problem);
  if (!problem.message.empty()) {
    error = path.string() + ":" + std::to_string(problem.line) + ": " + problem.message;
    return std::nullopt;
  }
  return schedule;
}

}  // namespace zorbulant
