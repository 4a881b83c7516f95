// Input scripts of the headless runner: one event per line,
//   TURN press|release|repeat KEY     TURN close|activate|deactivate
// where KEY is a key name (Escape Space Enter Up Down Left Right Ctrl Alt 1 2 3
// KP+ KP- KP* KP/) or a scan code such as 0x1D. "#" starts a comment.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_window.h"

namespace zorbulant {

struct InputScriptError {
  size_t line = 0;  // 1-based; 0 when no line is at fault
  std::string message;
};

// Parses a whole script. Returns the messages in turn order (lines of one turn
// keep their order), or sets `error` and returns nothing.
std::vector<ScheduledMessage> ParseInputScript(std::string_view text, InputScriptError& error);

// Reads and parses the script file `path`. Nothing when it cannot be read or
// parsed; `error` then tells why, with the file's name and the line at fault.
std::optional<std::vector<ScheduledMessage>> ReadInputScript(const std::filesystem::path& path,
                                                             std::string& error);

// The lParam of a key message: repeat count 1, scan code, extended-key bit,
// Alt context bit, previous-state and transition bits.
uint32_t KeyMessageParam(uint32_t scanCode, bool extended, bool alt, bool wasDown, bool released);

}  // namespace zorbulant
