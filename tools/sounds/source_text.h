// The line-and-word reading shared by the sound and song sources: words are
// separated by white space, a word that begins with "#" starts a comment to the
// end of the line (as in a shell, so a note such as "C#2" is not one), and
// blank lines are skipped.
#pragma once

#include <string>
#include <vector>

namespace zorbulant::tools {

struct SourceLine {
  int number = 0;  // counted from 1, for messages
  std::vector<std::string> words;
};

std::vector<SourceLine> SplitSourceLines(const std::string& text);

// True when the whole word is a decimal number.
bool ParseNumber(const std::string& word, double& value);

// "line N: message", the form every source error takes.
std::string LineError(const SourceLine& line, const std::string& message);

}  // namespace zorbulant::tools
