// The Windows program's command line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zorbulant {

struct WindowsOptions {
  bool help = false;
  // Without --data, the program's own directory: the data pack comes beside
  // the program.
  std::optional<std::filesystem::path> dataDirectory;
  bool window = false;  // the picture in the ordinary window, never exclusive
  // A scripted run: its input from the script, its time from a virtual clock,
  // so that its trace matches the headless run of the same script.
  std::optional<std::filesystem::path> input;
  std::optional<std::filesystem::path> trace;  // one line per main-loop turn
  uint32_t turns = 0;                          // 0: no close is posted
  // The command line as the sound library's set-up switch reads it: ending in
  // "s" when the set-up was asked for.
  std::string commandLine;
};

// Parses argv. On a bad argument returns nothing and sets `error` to one line
// naming the problem.
std::optional<WindowsOptions> ParseWindowsOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

std::string WindowsUsageText();

}  // namespace zorbulant
