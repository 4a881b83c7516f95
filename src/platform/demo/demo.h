// A demo: everything the game took from outside during one session, so that
// the session can be played again exactly. The game is deterministic given the
// messages it takes (with the turn of each), every clock reading, the results
// of its settings calls and the data files it reads; a demo holds those, the
// data files as hashes, plus the final state and picture the session ended
// with so that a replay can tell whether it arrived at the same place.
//
// The file is text, one record per line:
//   zorbulant-demo 1                the format; newer formats are refused
//   game 0.1.0                      the game that recorded it
//   backend sdl                     where it was recorded (sdl or headless)
//   data NAME HASH|missing          each data file the game looked at
//   TURN EVENT...                   the events of one main-loop turn, in order
//   end TURN                        the last turn
//   trace JSON                      the trace line of the last turn
//   picture HASH                    the last picture on the screen
// Events: c1234 (a clock reading), m100,48,1480001 (a message: id, wParam and
// lParam in hex), and settings calls:
//   screate,RESULT,KEY,SUBKEY  sopen,RESULT,KEY,SUBKEY  sset,RESULT,NAME
//   squery,RESULT,SIZE,HEXDATA,NAME  sclose,RESULT
// Names are escaped: %XX for "%", ",", white space and control characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/window.h"

namespace zorbulant {

inline constexpr uint32_t DemoFormat = 1;

enum class SettingsOp : uint8_t { Create, Open, Set, Query, Close };

// One call to the settings store and what it gave back.
struct SettingsCall {
  SettingsOp op = SettingsOp::Close;
  int32_t result = 0;
  uint32_t key = 0;           // the key a create or open gave
  uint32_t size = 0;          // the size a query reported
  std::vector<uint8_t> data;  // the bytes a query wrote
  std::string name;           // the sub-key or value name
};

enum class DemoEventKind : uint8_t { Clock, Message, Settings };

struct DemoEvent {
  uint32_t turn = 0;
  DemoEventKind kind = DemoEventKind::Clock;
  uint32_t value = 0;  // a clock reading, or an index into Demo::settingsCalls
  WindowMessage message{};
};

struct DemoDataFile {
  std::string name;
  std::optional<uint64_t> hash;  // nothing: the file did not exist
};

struct Demo {
  std::string game;
  std::string backend;
  std::vector<DemoDataFile> dataFiles;
  std::vector<DemoEvent> events;
  std::vector<SettingsCall> settingsCalls;
  uint32_t lastTurn = 0;
  std::string finalTrace;
  uint64_t finalPicture = 0;
};

std::string FormatDemo(const Demo& demo);

struct DemoError {
  size_t line = 0;  // 1-based; 0 when no line is at fault
  std::string message;
};

// Parses a whole demo file; sets `error` and returns nothing when it is not a
// demo, comes from a newer format or is damaged.
std::optional<Demo> ParseDemo(std::string_view text, DemoError& error);

// 64-bit FNV-1a: the hash of data files and pictures in demos.
uint64_t HashBytes(const void* data, size_t size, uint64_t hash = 0xCBF29CE484222325ull);

// The hash of a data file's whole content; nothing when there is no such file.
std::optional<uint64_t> HashDataFile(FileSystem& files, const char* name);

// The first data file whose content differs from the demo's, told in words
// ("levelaaa.jmp differs"); nothing when all agree.
std::optional<std::string> DataMismatch(const Demo& demo, FileSystem& files);

}  // namespace zorbulant
