// The level-run fuzzer's input, split into its three parts:
//
//   2 bytes   the level file's length n, little-endian
//   2 bytes   the level picture's length m
//   n bytes   the level file (levelaaa.jmp)
//   m bytes   the level picture (levelaaa.gif)
//   the rest  key messages, two bytes each: the turns since the message
//             before, then the key byte
//
// A key byte's low four bits pick one of the sixteen keys of KeyNames, bit 7
// makes it a release, and bit 6 makes the pair a wait that sends nothing, for
// gaps longer than 255 turns. Lengths that run past the end take what is
// there, and an odd last byte is ignored, so every input means something.
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_display.h"
#include "platform/headless/headless_window.h"

namespace zorbulant::fuzzing {

// The keys in the order in which the README lists the input scripts' key names.
inline constexpr std::string_view KeyNames[16] = {"Escape", "Space", "Enter", "Up", "Down", "Left",
                                                  "Right",  "Ctrl",  "Alt",   "1",  "2",    "3",
                                                  "KP+",    "KP-",   "KP*",   "KP/"};

// The key byte of a key's press.
constexpr uint8_t KeyByte(std::string_view name) {
  uint8_t key = 0;
  while (key + 1 < std::size(KeyNames) && KeyNames[key] != name) ++key;
  return key;
}

inline constexpr uint8_t ReleaseBit = 0x80;
inline constexpr uint8_t WaitBit = 0x40;

// The turn in which the level's first frame runs: the menu is left in turn 2
// and the intro in turn 5, as the headless tests do it.
inline constexpr uint32_t FirstLevelTurn = 5;

struct LevelRunInput {
  std::span<const uint8_t> level;
  std::span<const uint8_t> picture;
  // In turn order; the first message's gap counts from the turn before the
  // level's first frame.
  std::vector<ScheduledMessage> keys;
};

LevelRunInput SplitLevelRunInput(std::span<const uint8_t> data);

// The message a key byte stands for (nothing for a wait).
std::optional<WindowMessage> KeyMessage(uint8_t keyByte);

// Builds an input from its parts: the inverse of SplitLevelRunInput for
// messages of the sixteen keys. Messages of other kinds are left out.
std::vector<uint8_t> PackLevelRunInput(std::span<const uint8_t> level,
                                       std::span<const uint8_t> picture,
                                       const std::vector<ScheduledMessage>& keys);

}  // namespace zorbulant::fuzzing
