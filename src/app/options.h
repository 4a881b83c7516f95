// The program's command line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zorbulant {

struct ShotRequest {
  uint32_t turn = 0;
  std::filesystem::path file;
};

struct Options {
  bool help = false;
  bool version = false;
  bool headless = false;
  // --data, or without it DefaultDataDirectory().
  std::filesystem::path dataDirectory;
  uint32_t turns = 0;  // 0: no close is posted
  std::optional<std::filesystem::path> input;
  std::vector<ShotRequest> shots;
  std::optional<std::filesystem::path> trace;
  std::optional<std::filesystem::path> settings;
  // Demos: record the session, play one back, or play one back as fast as
  // the machine can (headless only).
  std::optional<std::filesystem::path> record;
  std::optional<std::filesystem::path> play;
  bool timedemo = false;
  uint32_t refreshHertz = 70;
  // The desktop's window.
  bool window = false;  // a window instead of the full screen
  uint32_t scale = 3;   // the window's size in multiples of the picture
  bool aspectCorrection = true;
  // Where the desktop writes the time of every shown picture, for measuring.
  std::optional<std::filesystem::path> frameTimes;
  // The command line as the sound library's set-up switch reads it: ending in
  // "s" when the set-up was asked for.
  std::string commandLine;
};

// Parses argv. On a bad argument returns nothing and sets `error` to one line
// naming the problem.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);

std::string UsageText();

}  // namespace zorbulant
