// ProTracker modules in the four-channel "M.K." layout, the game's music.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

constexpr int ChannelCount = 4;
constexpr int RowsPerPattern = 64;
constexpr int SampleSlots = 31;
constexpr int NoteCount = 36;  // C-1 to B-3, the notes a period can name

// The two effects the songs use.
constexpr uint8_t EffectSetVolume = 0xC;
constexpr uint8_t EffectSetSpeed = 0xF;

// The Amiga period of note 0 (C-1) to 35 (B-3): the number of clock ticks
// between two sample bytes, so a higher note has a shorter period.
uint16_t NotePeriod(int note);

// How many sample bytes a second the note C-2 plays, on the PAL Amiga's clock.
double ReferenceRate();

struct ModuleSample {
  std::string name;
  std::vector<int8_t> data;  // an even number of bytes
  uint8_t volume = 64;
  size_t loopStart = 0;   // bytes, even
  size_t loopLength = 0;  // bytes, even; 0 plays the sample once
};

struct ModuleCell {
  uint16_t period = 0;  // 0: no new note
  uint8_t sample = 0;   // 1 to 31, 0: none
  uint8_t effect = 0;
  uint8_t parameter = 0;
};

using ModulePattern = std::array<std::array<ModuleCell, ChannelCount>, RowsPerPattern>;

struct Module {
  std::string title;
  std::vector<ModuleSample> samples;  // at most 31; the rest of the slots stay empty
  std::vector<ModulePattern> patterns;
  std::vector<uint8_t> order;  // pattern numbers in playing order
};

// The module's file. False, with a message, when the module does not fit the
// format; every pattern must be played, as players count the patterns stored
// from the highest number in the order.
bool EncodeModule(const Module& module, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace zorbulant::tools
