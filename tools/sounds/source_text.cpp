#include "sounds/source_text.h"

#include <charconv>
#include <sstream>

namespace zorbulant::tools {

std::vector<SourceLine> SplitSourceLines(const std::string& text) {
  std::vector<SourceLine> lines;
  std::istringstream input(text);
  std::string raw;
  int number = 0;
  while (std::getline(input, raw)) {
    ++number;
    std::istringstream words(raw);
    SourceLine line{number, {}};
    for (std::string word; words >> word && word[0] != '#';) line.words.push_back(word);
    if (!line.words.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

bool ParseNumber(const std::string& word, double& value) {
  const char* end = word.data() + word.size();
  const auto [stop, status] = std::from_chars(word.data(), end, value);
  return status == std::errc() && stop == end;
}

std::string LineError(const SourceLine& line, const std::string& message) {
  return "line " + std::to_string(line.number) + ": " + message;
}

}  // namespace zorbulant::tools
