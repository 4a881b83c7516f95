// Reading the text of a tileset: the legend, the tile lines and their rows.
#include "levelc/tile_source.h"

#include <array>
#include <optional>
#include <sstream>

#include "levelc/level_error.h"
#include "levelc/map_properties.h"

namespace zorbulant::tools {

namespace {

constexpr char NothingCharacter = '.';

std::vector<std::string> Words(const std::string& line) {
  std::istringstream input(line);
  std::vector<std::string> words;
  for (std::string word; input >> word;) {
    if (word[0] == '#') break;
    words.push_back(word);
  }
  return words;
}

class TileReader {
 public:
  TileReader(const std::string& text, const std::string& fileName) : fileName_(fileName) {
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);) lines_.push_back(Words(line));
  }

  TileSource Read() {
    while (next_ < lines_.size()) {
      const size_t at = next_++;
      const std::vector<std::string>& words = lines_[at];
      if (words.empty()) continue;
      if (words[0] == "colour") {
        ReadColour(words, at);
      } else if (words[0] == "tile" && words.size() > 1) {
        ReadTiles(words);
      } else {
        Fail(at, "write 'colour C INDEX', 'colour C cube R G B' or 'tile NAME...'");
      }
    }
    return std::move(source_);
  }

 private:
  [[noreturn]] void Fail(size_t at, const std::string& message) const {
    throw LevelError(fileName_ + ":" + std::to_string(at + 1) + ": " + message);
  }

  uint32_t Level(const std::string& word, int64_t high, size_t at) const {
    const std::optional<int64_t> value = ParseWholeNumber(word);
    if (!value || *value < 0 || *value > high) {
      Fail(at, "'" + word + "' is not 0 to " + std::to_string(high));
    }
    return static_cast<uint32_t>(*value);
  }

  void ReadColour(const std::vector<std::string>& words, size_t at) {
    const bool cube = words.size() == 6 && words[2] == "cube";
    if (words.size() != 3 && !cube) Fail(at, "write 'colour C INDEX' or 'colour C cube R G B'");
    if (words[1].size() != 1 || words[1][0] == NothingCharacter) {
      Fail(at, "'" + words[1] + "' is not one character other than '.'");
    }
    const auto c = static_cast<unsigned char>(words[1][0]);
    if (legend_[c]) Fail(at, "'" + words[1] + "' already has a colour");
    legend_[c] =
        cube ? 36 * Level(words[4], 5, at) + 6 * Level(words[3], 5, at) + Level(words[5], 5, at)
             : Level(words[2], 255, at);
  }

  std::vector<std::string> NextRow() {
    while (next_ < lines_.size() && lines_[next_].empty()) ++next_;
    if (next_ == lines_.size()) Fail(next_ - 1, "the file ends inside a tile");
    return lines_[next_++];
  }

  void ReadTiles(const std::vector<std::string>& words) {
    const size_t first = source_.tiles.size();
    for (size_t i = 1; i < words.size(); ++i) source_.tiles.push_back({words[i], {}});
    for (uint32_t row = 0; row == 0 || row < source_.tileSize; ++row) {
      const size_t rowLine = next_;
      const std::vector<std::string> cells = NextRow();
      if (cells.size() != words.size() - 1) {
        Fail(rowLine, "this row has " + std::to_string(cells.size()) + " tiles side by side, " +
                          "the tile line names " + std::to_string(words.size() - 1));
      }
      if (source_.tileSize == 0) source_.tileSize = static_cast<uint32_t>(cells[0].size());
      for (size_t i = 0; i < cells.size(); ++i)
        ReadRow(cells[i], source_.tiles[first + i], rowLine);
    }
  }

  void ReadRow(const std::string& cells, SourceTile& tile, size_t at) {
    if (cells.size() != source_.tileSize) {
      Fail(at, "a row of " + std::to_string(cells.size()) + " pixels in tiles " +
                   std::to_string(source_.tileSize) + " wide");
    }
    for (char c : cells) {
      const auto key = static_cast<unsigned char>(c);
      if (c != NothingCharacter && !legend_[key])
        Fail(at, std::string("'") + c + "' has no colour");
      tile.pixels.push_back(c == NothingCharacter ? TileNothing
                                                  : static_cast<uint16_t>(*legend_[key]));
    }
  }

  const std::string& fileName_;
  std::vector<std::vector<std::string>> lines_;
  size_t next_ = 0;
  std::array<std::optional<uint32_t>, 256> legend_{};
  TileSource source_;
};

}  // namespace

TileSource ParseTileSource(const std::string& text, const std::string& fileName) {
  return TileReader(text, fileName).Read();
}

}  // namespace zorbulant::tools
