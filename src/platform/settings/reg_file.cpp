#include "platform/settings/reg_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "platform/settings_store.h"

namespace zorbulant {

namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr uint32_t TypeString = 1;
// Hex lists are wrapped as regedit wraps them, so lines stay within 80 columns.
constexpr size_t WrapColumn = 76;

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A line without its line end and surrounding blanks.
std::string_view Content(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return Trimmed(line);
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameRegistryName(text.substr(0, prefix.size()), prefix)) {
    return false;
  }
  text.remove_prefix(prefix.size());
  return true;
}

// Reads a quoted name or string from the front of `text`, where only \\ and \"
// are escapes.
std::optional<std::string> ConsumeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string result;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (c == '\\') {
      if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return std::nullopt;
      ++i;
    }
    result += text[i];
  }
  return std::nullopt;
}

std::optional<uint32_t> ParseHex(std::string_view digits, size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  uint32_t number = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

std::optional<std::vector<uint8_t>> ParseByteList(std::string_view list) {
  std::vector<uint8_t> bytes;
  if (Trimmed(list).empty()) return bytes;
  while (true) {
    const size_t comma = list.find(',');
    const auto byte = ParseHex(Trimmed(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*byte));
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

std::optional<RegistryValue> ParseData(std::string_view data) {
  if (!data.empty() && data.front() == '"') {
    auto text = ConsumeQuoted(data);
    if (!text || !Trimmed(data).empty()) return std::nullopt;
    RegistryValue value{TypeString, std::vector<uint8_t>(text->begin(), text->end())};
    value.data.push_back(0);
    return value;
  }
  if (ConsumePrefix(data, "dword:")) {
    const auto number = ParseHex(data, 8);
    if (!number) return std::nullopt;
    RegistryValue value{registry::TypeDword, {}};
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<uint8_t>(*number >> shift));
    }
    return value;
  }
  RegistryValue value{registry::TypeBinary, {}};
  if (ConsumePrefix(data, "hex(")) {
    const size_t close = data.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    const auto type = ParseHex(data.substr(0, close), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    data.remove_prefix(close + 1);
    if (!ConsumePrefix(data, ":")) return std::nullopt;
  } else if (!ConsumePrefix(data, "hex:")) {
    return std::nullopt;
  }
  auto bytes = ParseByteList(data);
  if (!bytes) return std::nullopt;
  value.data = std::move(*bytes);
  return value;
}

std::string QuotedName(std::string_view name) {
  if (name.empty()) return "@";
  std::string quoted = "\"";
  for (const char c : name) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string HexDigits(uint32_t number, int width) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), Digits[number & 0xF]);
    number >>= 4;
  } while (number != 0 || static_cast<int>(text.size()) < width);
  return text;
}

std::vector<std::string> ValueLines(std::string_view name, const RegistryValue& value,
                                    const std::string& newline) {
  std::string line = QuotedName(name) + '=';
  const std::vector<uint8_t>& bytes = value.data;
  if (value.type == registry::TypeDword && bytes.size() == 4) {
    const uint32_t number = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
    return {line + "dword:" + HexDigits(number, 8) + newline};
  }
  line += value.type == registry::TypeBinary ? "hex:" : "hex(" + HexDigits(value.type, 1) + "):";
  std::vector<std::string> lines;
  for (size_t i = 0; i < bytes.size(); ++i) {
    line += HexDigits(bytes[i], 2);
    if (i + 1 == bytes.size()) break;
    line += ',';
    if (line.size() > WrapColumn) {
      lines.push_back(line + '\\' + newline);
      line = "  ";
    }
  }
  lines.push_back(line + newline);
  return lines;
}

}  // namespace

RegFile::RegFile() : lines_{std::string(Header) + "\n"} {}

std::optional<RegFile> RegFile::Parse(std::string_view text) {
  RegFile file;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return file;
  file.lines_.clear();
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const size_t length = end == std::string_view::npos ? text.size() : end + 1;
    file.lines_.emplace_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  std::string_view first = file.lines_.front();
  if (first.ends_with("\r\n")) file.newline_ = "\r\n";
  if (first.starts_with(ByteOrderMark)) first.remove_prefix(ByteOrderMark.size());
  if (Content(first) != Header || !file.Index()) return std::nullopt;
  return file;
}

bool RegFile::Index() {
  sections_.clear();
  size_t next = 1;
  while (next < lines_.size()) {
    const size_t first = next++;
    std::string_view line = Content(lines_[first]);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return false;
      const std::string_view key = Trimmed(line.substr(1, line.size() - 2));
      // A leading '-' asks an import to delete the key, which a store cannot mean.
      if (key.empty() || key.front() == '-') return false;
      sections_.push_back({std::string(key), first, {}});
      continue;
    }
    if (sections_.empty()) return false;
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = ConsumeQuoted(line);
      if (!quoted) return false;
      name = std::move(*quoted);
    }
    line = Trimmed(line);
    if (line.empty() || line.front() != '=') return false;
    std::string data(Trimmed(line.substr(1)));
    if (SameRegistryName(std::string_view(data).substr(0, 3), "hex")) {
      while (!data.empty() && data.back() == '\\') {
        if (next == lines_.size()) return false;
        data.pop_back();
        data += Content(lines_[next++]);
      }
    }
    auto value = ParseData(data);
    if (!value) return false;
    sections_.back().values.push_back({std::move(name), std::move(*value), first, next});
  }
  return true;
}

bool RegFile::HasKey(std::string_view key) const {
  return std::any_of(sections_.begin(), sections_.end(),
                     [key](const Section& section) { return KeyWithin(section.key, key); });
}

const RegistryValue* RegFile::Find(std::string_view key, std::string_view name) const {
  const ValueEntry* entry = FindEntry(key, name);
  return entry == nullptr ? nullptr : &entry->value;
}

const RegFile::ValueEntry* RegFile::FindEntry(std::string_view key, std::string_view name) const {
  for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
    if (!SameRegistryName(section->key, key)) continue;
    for (auto entry = section->values.rbegin(); entry != section->values.rend(); ++entry) {
      if (SameRegistryName(entry->name, name)) return &*entry;
    }
  }
  return nullptr;
}

const RegFile::Section* RegFile::LastSection(std::string_view key) const {
  for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
    if (SameRegistryName(section->key, key)) return &*section;
  }
  return nullptr;
}

void RegFile::AddKey(std::string_view key) {
  std::vector<std::string> lines;
  if (!Content(lines_.back()).empty()) lines.push_back(newline_);
  lines.push_back("[" + std::string(key) + "]" + newline_);
  Insert(lines_.size(), lines);
}

void RegFile::Set(std::string_view key, std::string_view name, const RegistryValue& value) {
  if (const ValueEntry* entry = FindEntry(key, name)) {
    // The name keeps the spelling it has in the file, as a registry value does.
    const std::vector<std::string> lines = ValueLines(entry->name, value, newline_);
    const size_t first = entry->firstLine;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(entry->endLine));
    Insert(first, lines);
    return;
  }
  const std::vector<std::string> lines = ValueLines(name, value, newline_);
  if (LastSection(key) == nullptr) AddKey(key);
  const Section& section = *LastSection(key);
  // Right behind the section's last value, ahead of any comment or blank line
  // that leads into the next section.
  Insert(section.values.empty() ? section.headerLine + 1 : section.values.back().endLine, lines);
}

void RegFile::Insert(size_t at, const std::vector<std::string>& lines) {
  if (at > 0 && !lines_[at - 1].ends_with('\n')) {
    // A last line that ends in a lone '\r' only lacks its '\n': a whole line
    // end behind it would make the '\r' part of the line's text.
    lines_[at - 1] += lines_[at - 1].ends_with('\r') ? "\n" : newline_;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
  Index();
}

std::string RegFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line;
  return text;
}

}  // namespace zorbulant
