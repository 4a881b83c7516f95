#include "sounds/song_source.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "sounds/instrument_synth.h"
#include "sounds/source_text.h"

namespace zorbulant::tools {

namespace {

constexpr int RowsPerBar = 16;
constexpr int DefaultSpeed = 6;
constexpr size_t SampleNameSize = 22;
// Eight half-lives at C-2 must fit in a sample of at most 131070 bytes.
constexpr double MaxHalfLife = 1.5;

struct Instrument {
  std::string name;
  InstrumentRecipe recipe;
  std::optional<int> note;  // set for instruments played as hits
};

struct Pattern {
  std::string name;
  const SourceLine* line = nullptr;
  ModulePattern cells{};
  std::array<int, ChannelCount> rows{};        // filled so far; -1: not given
  std::array<int, ChannelCount> instrument{};  // chosen by "@": sample number, 0 none
};

struct Song {
  std::string title;
  int speed = 0;
  std::vector<Instrument> instruments;
  std::vector<Pattern> patterns;
  std::vector<uint8_t> order;
};

// "C-1" to "B-3" as 0 to 35.
std::optional<int> ParseNote(const std::string& word) {
  // The naturals at their semitones from C; each gap is where a sharp fits.
  static constexpr char Letters[] = "C D EF G A B";
  if (word.size() != 3 || (word[1] != '-' && word[1] != '#') || word[2] < '1' || word[2] > '3') {
    return std::nullopt;
  }
  const std::string_view letters(Letters);
  const size_t semitone = letters.find(word[0]);
  const bool sharp = word[1] == '#';
  if (semitone == std::string_view::npos ||
      (sharp && (semitone + 1 == letters.size() || letters[semitone + 1] != ' '))) {
    return std::nullopt;
  }
  return (word[2] - '1') * 12 + static_cast<int>(semitone) + (sharp ? 1 : 0);
}

template <typename Item>
int FindByName(const std::vector<Item>& items, const std::string& name) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

// A whole number in [lowest, highest].
bool ParseWhole(const std::string& word, int lowest, int highest, int& value) {
  double number = 0;
  if (!ParseNumber(word, number) || number != std::floor(number) || number < lowest ||
      number > highest) {
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

bool ParseInstrument(const SourceLine& line, Song& song, std::string& error) {
  static constexpr struct {
    const char* name;
    InstrumentWave wave;
  } Waves[] = {{"square", InstrumentWave::Square},     {"saw", InstrumentWave::Saw},
               {"triangle", InstrumentWave::Triangle}, {"bass", InstrumentWave::Bass},
               {"noise", InstrumentWave::Noise},       {"kick", InstrumentWave::Kick}};
  const std::vector<std::string>& words = line.words;
  if (words.size() < 3 || words.size() % 2 == 0) {
    error = LineError(line, "an instrument is NAME WAVE followed by KEY VALUE pairs");
    return false;
  }
  Instrument instrument;
  instrument.name = words[1];
  const char first = instrument.name[0];
  if (instrument.name.size() > SampleNameSize || ParseNote(instrument.name) || first == '@' ||
      first == '.' || first == '^' || first == '|' ||
      instrument.name.find(':') != std::string::npos ||
      FindByName(song.instruments, instrument.name) >= 0) {
    error = LineError(line, "'" + instrument.name + "' cannot name a new instrument");
    return false;
  }
  bool known = false;
  for (const auto& [name, wave] : Waves) {
    if (words[2] == name) {
      instrument.recipe.wave = wave;
      known = true;
    }
  }
  if (!known) {
    error = LineError(line, "'" + words[2] + "' is not a wave");
    return false;
  }
  for (size_t i = 3; i < words.size(); i += 2) {
    const std::string& key = words[i];
    const std::string& value = words[i + 1];
    double number = 0;
    int whole = 0;
    InstrumentRecipe& recipe = instrument.recipe;
    if (key == "cycle" && ParseWhole(value, 8, 1024, whole) && whole % 2 == 0) {
      recipe.cycle = static_cast<uint32_t>(whole);
    } else if (key == "decay" && ParseNumber(value, number) && number > 0 &&
               number <= MaxHalfLife) {
      recipe.halfLife = number;
    } else if (key == "sustain" && ParseNumber(value, number) && number >= 0 && number <= 1) {
      recipe.sustain = number;
    } else if (key == "volume" && ParseWhole(value, 0, 64, whole)) {
      recipe.volume = static_cast<uint8_t>(whole);
    } else if (key == "note" && ParseNote(value)) {
      instrument.note = ParseNote(value);
    } else {
      error = LineError(line, "'" + key + " " + value + "' is not a valid instrument setting");
      return false;
    }
  }
  const bool drum = instrument.recipe.wave == InstrumentWave::Noise ||
                    instrument.recipe.wave == InstrumentWave::Kick;
  if (drum && (instrument.recipe.halfLife == 0 || instrument.recipe.sustain > 0)) {
    error = LineError(line, "a drum must decay to silence");
    return false;
  }
  if (song.instruments.size() == SampleSlots) {
    error = LineError(line, "a song has at most 31 instruments");
    return false;
  }
  song.instruments.push_back(instrument);
  return true;
}

// Places a sounding event in its row; false, with a message, when it is none.
bool PlaceEvent(const SourceLine& line, const std::string& what, const Song& song, Pattern& pattern,
                int channel, std::string& error) {
  ModuleCell& cell = pattern.cells[pattern.rows[channel]][channel];
  if (what == ".") return true;
  if (what == "^") {
    cell.effect = EffectSetVolume;
    return true;
  }
  if (const std::optional<int> note = ParseNote(what)) {
    if (pattern.instrument[channel] == 0) {
      error = LineError(line, "choose an instrument with @NAME before the first note");
      return false;
    }
    cell.period = NotePeriod(*note);
    cell.sample = static_cast<uint8_t>(pattern.instrument[channel]);
    return true;
  }
  const int hit = FindByName(song.instruments, what);
  if (hit < 0 || !song.instruments[hit].note) {
    error = LineError(line, "'" + what + "' is neither a note nor an instrument with a note");
    return false;
  }
  cell.period = NotePeriod(*song.instruments[hit].note);
  cell.sample = static_cast<uint8_t>(hit + 1);
  return true;
}

bool ParseChannel(const SourceLine& line, Song& song, std::string& error) {
  if (song.patterns.empty()) {
    error = LineError(line, "channel lines belong to a pattern; start one first");
    return false;
  }
  Pattern& pattern = song.patterns.back();
  const int channel = line.words[0][0] - '1';
  int& rows = pattern.rows[channel];
  rows = std::max(rows, 0);
  for (size_t i = 1; i < line.words.size(); ++i) {
    const std::string& word = line.words[i];
    if (word == "|") {
      if (rows % RowsPerBar != 0) {
        error = LineError(
            line, "a bar line at row " + std::to_string(rows) + " is not at the end of a bar");
        return false;
      }
      continue;
    }
    if (word[0] == '@') {
      const int instrument = FindByName(song.instruments, word.substr(1));
      if (instrument < 0) {
        error = LineError(line, "'" + word.substr(1) + "' is not an instrument");
        return false;
      }
      pattern.instrument[channel] = instrument + 1;
      continue;
    }
    const size_t colon = word.find(':');
    int length = 1;
    if (colon != std::string::npos &&
        !ParseWhole(word.substr(colon + 1), 1, RowsPerPattern, length)) {
      error = LineError(line, "'" + word + "' has no valid row count");
      return false;
    }
    if (rows + length > RowsPerPattern) {
      error = LineError(line, "channel " + line.words[0] + " runs past the pattern's end");
      return false;
    }
    if (!PlaceEvent(line, word.substr(0, colon), song, pattern, channel, error)) return false;
    rows += length;
  }
  return true;
}

bool ParseLine(const SourceLine& line, Song& song, std::string& error) {
  const std::vector<std::string>& words = line.words;
  const std::string& key = words[0];
  if (key.size() == 1 && key[0] >= '1' && key[0] < '1' + ChannelCount) {
    return ParseChannel(line, song, error);
  }
  if (key == "title") {
    std::string title;
    for (size_t i = 1; i < words.size(); ++i) title += (i > 1 ? " " : "") + words[i];
    if (!song.title.empty() || title.empty() || title.size() > 20) {
      error = LineError(line, "the song has one title of up to 20 characters");
      return false;
    }
    song.title = title;
  } else if (key == "speed") {
    if (words.size() != 2 || !ParseWhole(words[1], 1, 31, song.speed)) {
      error = LineError(line, "the speed is 1 to 31 ticks a row");
      return false;
    }
  } else if (key == "instrument") {
    return ParseInstrument(line, song, error);
  } else if (key == "pattern") {
    if (words.size() != 2 || FindByName(song.patterns, words[1]) >= 0) {
      error = LineError(line, "a pattern needs one new name");
      return false;
    }
    Pattern pattern;
    pattern.name = words[1];
    pattern.line = &line;
    pattern.rows.fill(-1);
    song.patterns.push_back(pattern);
  } else if (key == "order") {
    for (size_t i = 1; i < words.size(); ++i) {
      const int pattern = FindByName(song.patterns, words[i]);
      if (pattern < 0) {
        error = LineError(line, "'" + words[i] + "' is not a pattern");
        return false;
      }
      song.order.push_back(static_cast<uint8_t>(pattern));
    }
  } else {
    error = LineError(line, "unknown key '" + key + "'");
    return false;
  }
  return true;
}

bool CheckSong(const Song& song, std::string& error) {
  if (song.patterns.empty() || song.order.empty()) {
    error = "the song needs patterns and an order";
    return false;
  }
  for (size_t p = 0; p < song.patterns.size(); ++p) {
    const Pattern& pattern = song.patterns[p];
    for (int channel = 0; channel < ChannelCount; ++channel) {
      if (pattern.rows[channel] >= 0 && pattern.rows[channel] != RowsPerPattern) {
        error =
            LineError(*pattern.line, "channel " + std::to_string(channel + 1) + " fills " +
                                         std::to_string(pattern.rows[channel]) + " rows, not 64");
        return false;
      }
    }
    if (std::find(song.order.begin(), song.order.end(), p) == song.order.end()) {
      error = LineError(*pattern.line, "pattern '" + pattern.name + "' is never played");
      return false;
    }
  }
  return true;
}

}  // namespace

bool CompileSong(const std::string& text, Module& module, std::string& error) {
  const std::vector<SourceLine> lines = SplitSourceLines(text);
  Song song;
  for (const SourceLine& line : lines) {
    if (!ParseLine(line, song, error)) return false;
  }
  if (!CheckSong(song, error)) return false;
  module = Module{};
  module.title = song.title;
  for (size_t i = 0; i < song.instruments.size(); ++i) {
    module.samples.push_back(SynthesiseInstrument(song.instruments[i].name,
                                                  song.instruments[i].recipe,
                                                  static_cast<uint32_t>(0x2545F491u * (i + 1))));
  }
  for (const Pattern& pattern : song.patterns) module.patterns.push_back(pattern.cells);
  module.order = song.order;
  // The speed goes into the first row the song plays, on a channel with no
  // effect of its own there.
  for (ModuleCell& cell : module.patterns[module.order[0]][0]) {
    if (cell.effect == 0 && cell.parameter == 0) {
      cell.effect = EffectSetSpeed;
      cell.parameter = static_cast<uint8_t>(song.speed != 0 ? song.speed : DefaultSpeed);
      return true;
    }
  }
  error = "the song's first row has no channel free for its speed";
  return false;
}

}  // namespace zorbulant::tools
