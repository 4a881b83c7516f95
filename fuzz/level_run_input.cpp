#include "level_run_input.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/headless/input_script.h"

namespace zorbulant::fuzzing {

namespace {

constexpr uint32_t LongestGap = 255;

uint32_t Length(std::span<const uint8_t> data, size_t at) {
  return at + 1 < data.size() ? data[at] | uint32_t{data[at + 1]} << 8 : 0;
}

// Press and release of each key, made by the input-script parser, so that the
// fuzzer sends exactly what a script line naming the key would.
const std::array<WindowMessage, 32>& KeyMessages() {
  static const std::array<WindowMessage, 32> messages = [] {
    std::string script;
    for (const std::string_view name : KeyNames) {
      script += "1 press " + std::string(name) + "\n1 release " + std::string(name) + "\n";
    }
    InputScriptError error;
    const std::vector<ScheduledMessage> parsed = ParseInputScript(script, error);
    std::array<WindowMessage, 32> table{};
    for (size_t i = 0; i < parsed.size() && i < table.size(); ++i) table[i] = parsed[i].message;
    return table;
  }();
  return messages;
}

bool SameMessage(const WindowMessage& a, const WindowMessage& b) {
  return a.id == b.id && a.wParam == b.wParam && a.lParam == b.lParam;
}

}  // namespace

std::optional<WindowMessage> KeyMessage(uint8_t keyByte) {
  if ((keyByte & WaitBit) != 0) return std::nullopt;
  const size_t released = (keyByte & ReleaseBit) != 0 ? 1 : 0;
  return KeyMessages()[2 * (keyByte & 15) + released];
}

LevelRunInput SplitLevelRunInput(std::span<const uint8_t> data) {
  LevelRunInput input;
  std::span<const uint8_t> rest = data.subspan(std::min<size_t>(data.size(), 4));
  const size_t levelLength = std::min<size_t>(Length(data, 0), rest.size());
  input.level = rest.first(levelLength);
  rest = rest.subspan(levelLength);
  const size_t pictureLength = std::min<size_t>(Length(data, 2), rest.size());
  input.picture = rest.first(pictureLength);
  rest = rest.subspan(pictureLength);
  uint32_t turn = FirstLevelTurn - 1;
  for (size_t at = 0; at + 1 < rest.size(); at += 2) {
    turn += rest[at];
    if (const std::optional<WindowMessage> message = KeyMessage(rest[at + 1])) {
      input.keys.push_back({turn, *message});
    }
  }
  return input;
}

std::vector<uint8_t> PackLevelRunInput(std::span<const uint8_t> level,
                                       std::span<const uint8_t> picture,
                                       const std::vector<ScheduledMessage>& keys) {
  std::vector<uint8_t> bytes;
  for (const size_t length : {level.size(), picture.size()}) {
    bytes.push_back(static_cast<uint8_t>(length));
    bytes.push_back(static_cast<uint8_t>(length >> 8));
  }
  bytes.insert(bytes.end(), level.begin(), level.end());
  bytes.insert(bytes.end(), picture.begin(), picture.end());
  uint32_t turn = FirstLevelTurn - 1;
  for (const ScheduledMessage& key : keys) {
    const auto& table = KeyMessages();
    const auto found = std::find_if(table.begin(), table.end(), [&](const WindowMessage& known) {
      return SameMessage(known, key.message);
    });
    if (found == table.end()) continue;
    uint32_t gap = key.turn > turn ? key.turn - turn : 0;
    for (; gap > LongestGap; gap -= LongestGap) {
      bytes.push_back(LongestGap);
      bytes.push_back(WaitBit);
    }
    const auto index = static_cast<uint8_t>(found - table.begin());
    bytes.push_back(static_cast<uint8_t>(gap));
    bytes.push_back(static_cast<uint8_t>((index / 2) | (index % 2 == 1 ? ReleaseBit : 0)));
    turn = std::max(turn, key.turn);
  }
  return bytes;
}

}  // namespace zorbulant::fuzzing
