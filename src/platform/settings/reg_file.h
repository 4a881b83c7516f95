// A settings file in the text form of a registry export: the header line
// "Windows Registry Editor Version 5.00", key sections such as
// [HKEY_LOCAL_MACHINE\SOFTWARE\Quillmarsh\Zorbulant] and value lines such as
// "FrameLimit"=hex:07,00,00,00. The text is kept line by line and an edit
// rewrites only the lines of the value it changes, so comments, other keys and
// other values stay exactly as whoever wrote them left them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings/registry_value.h"

namespace zorbulant {

class RegFile {
 public:
  // A new file: the header line alone.
  RegFile();
  // Nothing when the text is not a registry export of this form. An empty
  // text is a new file.
  static std::optional<RegFile> Parse(std::string_view text);

  // Keys are full paths with their root: "HKEY_LOCAL_MACHINE\\SOFTWARE\\...".
  // A key exists when it has a section or a sub-key has one.
  bool HasKey(std::string_view key) const;
  // When a key or a value appears more than once, the last one counts, as it
  // would when the file is imported.
  const RegistryValue* Find(std::string_view key, std::string_view name) const;
  void AddKey(std::string_view key);
  void Set(std::string_view key, std::string_view name, const RegistryValue& value);

  std::string Text() const;

 private:
  struct ValueEntry {
    std::string name;
    RegistryValue value;
    size_t firstLine;
    size_t endLine;  // one past the last line, continuation lines included
  };
  struct Section {
    std::string key;
    size_t headerLine;
    std::vector<ValueEntry> values;
  };

  bool Index();
  const ValueEntry* FindEntry(std::string_view key, std::string_view name) const;
  const Section* LastSection(std::string_view key) const;
  void Insert(size_t at, const std::vector<std::string>& lines);

  std::vector<std::string> lines_;  // each with its own line end, when it has one
  std::string newline_ = "\n";      // the line end of lines this file gains
  std::vector<Section> sections_;
};

}  // namespace zorbulant
