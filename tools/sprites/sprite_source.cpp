// Reading sprite sources: the legend, the sprite lines and their pixel rows.
#include "sprites/sprite_source.h"

#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <string_view>

namespace zorbulant::tools {

namespace {

constexpr char NothingCharacter = '.';
constexpr uint8_t Nothing = 255;
constexpr uint8_t OutlineColour = 216;
constexpr uint32_t MaxWidth = 320;
constexpr uint32_t MaxHeight = 200;
constexpr uint32_t MaxFrames = 128;

std::vector<std::string> Words(const std::string& line) {
  std::istringstream input(line);
  std::vector<std::string> words;
  for (std::string word; input >> word;) words.push_back(word);
  return words;
}

// The words before the first one that starts a comment, from `from` on.
void DropComment(std::vector<std::string>& words, size_t from) {
  for (size_t i = from; i < words.size(); ++i) {
    if (words[i][0] == '#') {
      words.resize(i);
      return;
    }
  }
}

std::optional<uint32_t> Number(std::string_view word) {
  uint32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, status] = std::from_chars(word.data(), end, value);
  if (status != std::errc() || stop != end || word.empty()) return std::nullopt;
  return value;
}

// "WIDTHxHEIGHT", both numbers.
bool ParseSize(std::string_view word, uint32_t& width, uint32_t& height) {
  const size_t cross = word.find('x');
  if (cross == std::string_view::npos) return false;
  const std::optional<uint32_t> w = Number(word.substr(0, cross));
  const std::optional<uint32_t> h = Number(word.substr(cross + 1));
  if (!w || !h) return false;
  width = *w;
  height = *h;
  return true;
}

bool ValidName(const std::string& name) {
  for (char c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
  }
  return !name.empty();
}

// Paints the ring around each frame's drawing, read from the frame as drawn.
void AddOutline(SourceSprite& sprite) {
  const uint32_t w = sprite.width;
  const uint32_t h = sprite.height;
  for (uint32_t frame = 0; frame < sprite.frames; ++frame) {
    uint8_t* pixels = sprite.pixels.data() + size_t{frame} * w * h;
    const std::vector<uint8_t> drawn(pixels, pixels + size_t{w} * h);
    auto filled = [&](uint32_t x, uint32_t y) { return drawn[y * w + x] != Nothing; };
    for (uint32_t y = 0; y < h; ++y) {
      for (uint32_t x = 0; x < w; ++x) {
        if (filled(x, y)) continue;
        if ((x > 0 && filled(x - 1, y)) || (x + 1 < w && filled(x + 1, y)) ||
            (y > 0 && filled(x, y - 1)) || (y + 1 < h && filled(x, y + 1))) {
          pixels[y * w + x] = OutlineColour;
        }
      }
    }
  }
}

class SourceReader {
 public:
  SourceReader(const std::string& text, const std::string& fileName) : fileName_(fileName) {
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(line);
    }
  }

  SpriteSourceResult Read() {
    while (next_ < lines_.size() && result_.error.empty()) {
      const size_t at = next_++;
      std::vector<std::string> words = Words(lines_[at]);
      if (words.empty() || words[0][0] == '#') continue;
      if (words[0] == "colour") {
        ReadColour(words, at);
      } else if (words[0] == "sprite") {
        ReadSprite(words, at);
      } else {
        Fail(at, "'" + words[0] + "' is neither 'colour' nor 'sprite'");
      }
    }
    if (!result_.error.empty()) result_.sprites.clear();
    return std::move(result_);
  }

 private:
  // `at` counts lines from 0; messages count from 1.
  bool Fail(size_t at, const std::string& message) {
    result_.error = fileName_ + ":" + std::to_string(at + 1) + ": " + message;
    return false;
  }

  bool ReadColour(std::vector<std::string>& words, size_t at) {
    DropComment(words, 2);
    const bool cube = words.size() == 6 && words[2] == "cube";
    if (words.size() != 3 && !cube) {
      return Fail(at, "write 'colour C INDEX' or 'colour C cube R G B'");
    }
    if (words[1].size() != 1) return Fail(at, "'" + words[1] + "' is not one character");
    const auto c = static_cast<unsigned char>(words[1][0]);
    if (c == NothingCharacter) return Fail(at, "'.' always stands for nothing");
    if (legendLine_[c] != 0) {
      return Fail(
          at, "'" + words[1] + "' already has a colour, on line " + std::to_string(legendLine_[c]));
    }
    uint32_t index = 0;
    if (cube) {
      uint32_t levels[3];
      for (size_t i = 0; i < 3; ++i) {
        const std::optional<uint32_t> level = Number(words[3 + i]);
        if (!level || *level > 5)
          return Fail(at, "cube level '" + words[3 + i] + "' is not 0 to 5");
        levels[i] = *level;
      }
      index = 36 * levels[1] + 6 * levels[0] + levels[2];
    } else {
      const std::optional<uint32_t> value = Number(words[2]);
      if (!value || *value > 255) {
        return Fail(at, "'" + words[2] + "' is not a palette index 0 to 255");
      }
      index = *value;
    }
    legend_[c] = static_cast<uint8_t>(index);
    legendLine_[c] = static_cast<int>(at + 1);
    return true;
  }

  bool ReadSprite(std::vector<std::string>& words, size_t at) {
    DropComment(words, 1);
    if (words.size() < 3) return Fail(at, "write 'sprite NAME WxH [frames N] [outline]'");
    SourceSprite sprite;
    sprite.name = words[1];
    if (!ValidName(sprite.name)) {
      return Fail(at, "name '" + sprite.name + "' is not lower case letters, digits and '-'");
    }
    if (const auto seen = spriteLines_.find(sprite.name); seen != spriteLines_.end()) {
      return Fail(
          at, "'" + sprite.name + "' is already a sprite, on line " + std::to_string(seen->second));
    }
    if (!ParseSize(words[2], sprite.width, sprite.height)) {
      return Fail(at, "size '" + words[2] + "' is not WIDTHxHEIGHT");
    }
    if (sprite.width < 1 || sprite.width > MaxWidth || sprite.height < 1 ||
        sprite.height > MaxHeight) {
      return Fail(at, "size '" + words[2] + "' is not within 1x1 and 320x200");
    }
    bool outline = false;
    for (size_t i = 3; i < words.size(); ++i) {
      if (words[i] == "outline") {
        outline = true;
      } else if (words[i] == "frames" && i + 1 < words.size()) {
        const std::optional<uint32_t> frames = Number(words[++i]);
        if (!frames || *frames < 1 || *frames > MaxFrames) {
          return Fail(at, "frames '" + words[i] + "' is not 1 to 128");
        }
        sprite.frames = *frames;
      } else {
        return Fail(at, "'" + words[i] + "' is neither 'frames N' nor 'outline'");
      }
    }
    spriteLines_[sprite.name] = static_cast<int>(at + 1);
    if (!ReadRows(sprite, at)) return false;
    if (outline) AddOutline(sprite);
    result_.sprites.push_back(std::move(sprite));
    return true;
  }

  // Bands of frames standing side by side until every frame is read.
  bool ReadRows(SourceSprite& sprite, size_t spriteLine) {
    const size_t frameSize = size_t{sprite.width} * sprite.height;
    sprite.pixels.assign(frameSize * sprite.frames, Nothing);
    uint32_t framesRead = 0;
    while (framesRead < sprite.frames) {
      size_t bandFrames = 0;
      for (uint32_t row = 0; row < sprite.height; ++row) {
        while (next_ < lines_.size() && Words(lines_[next_]).empty()) ++next_;
        if (next_ == lines_.size()) {
          return Fail(spriteLine, "the file ends before the last row of '" + sprite.name + "'");
        }
        const size_t at = next_++;
        const std::vector<std::string> words = Words(lines_[at]);
        if (row == 0) {
          bandFrames = words.size();
          if (framesRead + bandFrames > sprite.frames) {
            return Fail(at, "'" + sprite.name + "' has " + std::to_string(sprite.frames) +
                                " frames, and this row starts frame " +
                                std::to_string(sprite.frames + 1));
          }
        } else if (words.size() != bandFrames) {
          return Fail(at, "this row has " + std::to_string(words.size()) +
                              " frames side by side, the rows above " + std::to_string(bandFrames));
        }
        for (size_t i = 0; i < words.size(); ++i) {
          if (words[i].size() != sprite.width) {
            return Fail(at, "a row of " + std::to_string(words[i].size()) + " pixels; '" +
                                sprite.name + "' is " + std::to_string(sprite.width) + " wide");
          }
          uint8_t* to = sprite.pixels.data() + (framesRead + i) * frameSize + row * sprite.width;
          for (char c : words[i]) {
            const auto key = static_cast<unsigned char>(c);
            if (c != NothingCharacter && legendLine_[key] == 0) {
              return Fail(at, std::string("'") + c + "' has no colour");
            }
            *to++ = c == NothingCharacter ? Nothing : legend_[key];
          }
        }
      }
      framesRead += static_cast<uint32_t>(bandFrames);
    }
    return true;
  }

  const std::string& fileName_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::array<uint8_t, 256> legend_{};
  std::array<int, 256> legendLine_{};  // where each character got its colour; 0: none yet
  std::map<std::string, int> spriteLines_;
  SpriteSourceResult result_;
};

}  // namespace

SpriteSourceResult ParseSpriteSource(const std::string& text, const std::string& fileName) {
  return SourceReader(text, fileName).Read();
}

}  // namespace zorbulant::tools
