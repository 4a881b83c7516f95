// Reading and writing demo files.
#include "platform/demo/demo.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zorbulant {

namespace {

constexpr const char* Magic = "zorbulant-demo";

// Names may hold anything but must stay one token of a line.
std::string Escape(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == '%' || byte == ',' || byte == 0x7F) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", byte);
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::string Hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
  return text;
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
  std::string out;
  for (const uint8_t byte : bytes) {
    out += "0123456789abcdef"[byte >> 4];
    out += "0123456789abcdef"[byte & 15];
  }
  return out;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, int base = 10) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return bytes;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

constexpr const char* OpNames[] = {"create", "open", "set", "query", "close"};

std::string FormatSettingsCall(const SettingsCall& call) {
  std::string out =
      std::string("s") + OpNames[static_cast<int>(call.op)] + "," + std::to_string(call.result);
  switch (call.op) {
    case SettingsOp::Create:
    case SettingsOp::Open:
      return out + "," + std::to_string(call.key) + "," + Escape(call.name);
    case SettingsOp::Set:
      return out + "," + Escape(call.name);
    case SettingsOp::Query:
      return out + "," + std::to_string(call.size) + "," + HexBytes(call.data) + "," +
             Escape(call.name);
    case SettingsOp::Close:
      break;
  }
  return out;
}

std::optional<SettingsCall> ParseSettingsCall(std::string_view token) {
  const std::vector<std::string_view> parts = Split(token, ',');
  SettingsCall call;
  size_t op = 0;
  while (op < std::size(OpNames) && parts[0] != OpNames[op]) ++op;
  if (op == std::size(OpNames)) return std::nullopt;
  call.op = static_cast<SettingsOp>(op);
  static constexpr size_t PartCount[] = {4, 4, 3, 5, 2};
  if (parts.size() != PartCount[op] || !ParseNumber(parts[1], call.result)) return std::nullopt;
  std::optional<std::string> name = std::string();
  switch (call.op) {
    case SettingsOp::Create:
    case SettingsOp::Open:
      if (!ParseNumber(parts[2], call.key)) return std::nullopt;
      name = Unescape(parts[3]);
      break;
    case SettingsOp::Set:
      name = Unescape(parts[2]);
      break;
    case SettingsOp::Query: {
      std::optional<std::vector<uint8_t>> data = ParseHexBytes(parts[3]);
      if (!ParseNumber(parts[2], call.size) || !data) return std::nullopt;
      call.data = std::move(*data);
      name = Unescape(parts[4]);
      break;
    }
    case SettingsOp::Close:
      break;
  }
  if (!name) return std::nullopt;
  call.name = std::move(*name);
  return call;
}

// Reads one event token into `demo`; false when the token is not an event.
bool ParseEvent(std::string_view token, uint32_t turn, Demo& demo) {
  DemoEvent event;
  event.turn = turn;
  const std::string_view body = token.substr(1);
  switch (token[0]) {
    case 'c':
      event.kind = DemoEventKind::Clock;
      if (!ParseNumber(body, event.value)) return false;
      break;
    case 'm': {
      event.kind = DemoEventKind::Message;
      const std::vector<std::string_view> parts = Split(body, ',');
      uint32_t id = 0;
      if (parts.size() != 3 || !ParseNumber(parts[0], id, 16) ||
          !ParseNumber(parts[1], event.message.wParam, 16) ||
          !ParseNumber(parts[2], event.message.lParam, 16)) {
        return false;
      }
      event.message.id = static_cast<MessageId>(id);
      break;
    }
    case 's': {
      std::optional<SettingsCall> call = ParseSettingsCall(body);
      if (!call) return false;
      event.kind = DemoEventKind::Settings;
      event.value = static_cast<uint32_t>(demo.settingsCalls.size());
      demo.settingsCalls.push_back(std::move(*call));
      break;
    }
    default:
      return false;
  }
  demo.events.push_back(event);
  return true;
}

std::string FormatEvent(const Demo& demo, const DemoEvent& event) {
  char text[40];
  switch (event.kind) {
    case DemoEventKind::Clock:
      return "c" + std::to_string(event.value);
    case DemoEventKind::Message:
      std::snprintf(text, sizeof text, "m%x,%x,%x", static_cast<unsigned>(event.message.id),
                    event.message.wParam, event.message.lParam);
      return text;
    case DemoEventKind::Settings:
      return FormatSettingsCall(demo.settingsCalls[event.value]);
  }
  return {};
}

}  // namespace

std::string FormatDemo(const Demo& demo) {
  std::string out = std::string(Magic) + " " + std::to_string(DemoFormat) + "\n";
  // An empty name cannot be written as a word of its own: the record is left
  // out, and a demo without it reads back as one with the name empty.
  if (!demo.game.empty()) out += "game " + Escape(demo.game) + "\n";
  if (!demo.backend.empty()) out += "backend " + Escape(demo.backend) + "\n";
  for (const DemoDataFile& file : demo.dataFiles) {
    out += "data " + Escape(file.name) + " " + (file.hash ? Hex(*file.hash) : "missing") + "\n";
  }
  for (size_t i = 0; i < demo.events.size();) {
    const uint32_t turn = demo.events[i].turn;
    out += std::to_string(turn);
    for (; i < demo.events.size() && demo.events[i].turn == turn; ++i) {
      out += " " + FormatEvent(demo, demo.events[i]);
    }
    out += "\n";
  }
  out += "end " + std::to_string(demo.lastTurn) + "\n";
  out += "trace " + demo.finalTrace + "\n";
  out += "picture " + Hex(demo.finalPicture) + "\n";
  return out;
}

std::optional<Demo> ParseDemo(std::string_view text, DemoError& error) {
  Demo demo;
  size_t lineNumber = 0;
  bool ended = false;
  bool traced = false;
  bool pictured = false;
  auto fail = [&](std::string message) {
    error = {lineNumber, std::move(message)};
    return std::nullopt;
  };
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> words = Words(line);
    if (lineNumber == 1) {
      uint32_t format = 0;
      if (words.size() != 2 || words[0] != Magic || !ParseNumber(words[1], format)) {
        return fail("this is not a Zorbulant demo");
      }
      if (format > DemoFormat) {
        return fail("the demo was made in format " + std::to_string(format) +
                    ", newer than this game reads (" + std::to_string(DemoFormat) + ")");
      }
      continue;
    }
    if (words.empty()) continue;
    if (words[0] == "trace") {
      // The trace is one JSON line; it keeps its spaces. A bare "trace" has
      // an empty one. A '\r' at its end would be read as part of the line end
      // once the demo is written again, so it is taken as one now.
      const size_t start = line.find("trace") + 6;
      std::string_view trace = line.substr(std::min(start, line.size()));
      while (trace.ends_with('\r')) trace.remove_suffix(1);
      demo.finalTrace = std::string(trace);
      traced = true;
      continue;
    }
    if (ended && words[0] != "picture") return fail("nothing may follow the end but its checks");
    uint32_t turn = 0;
    if (ParseNumber(words[0], turn)) {
      if (!demo.events.empty() && turn <= demo.events.back().turn) {
        return fail("turn " + std::to_string(turn) + " comes out of order");
      }
      if (words.size() < 2) return fail("turn " + std::to_string(turn) + " has no events");
      for (size_t i = 1; i < words.size(); ++i) {
        if (!ParseEvent(words[i], turn, demo)) {
          return fail("\"" + std::string(words[i]) + "\" is not an event");
        }
      }
    } else if (words[0] == "game" && words.size() == 2) {
      demo.game = Unescape(words[1]).value_or("");
    } else if (words[0] == "backend" && words.size() == 2) {
      demo.backend = Unescape(words[1]).value_or("");
    } else if (words[0] == "data" && words.size() == 3) {
      DemoDataFile file;
      const std::optional<std::string> name = Unescape(words[1]);
      uint64_t hash = 0;
      if (!name) return fail("a data file's name is badly escaped");
      if (name->empty()) return fail("a data file needs a name");
      file.name = *name;
      if (words[2] != "missing") {
        if (!ParseNumber(words[2], hash, 16)) return fail("a data file's hash must be hex");
        file.hash = hash;
      }
      demo.dataFiles.push_back(std::move(file));
    } else if (words[0] == "end" && words.size() == 2 && ParseNumber(words[1], demo.lastTurn)) {
      if (!demo.events.empty() && demo.lastTurn < demo.events.back().turn) {
        return fail("the end comes before the last turn");
      }
      ended = true;
    } else if (words[0] == "picture" && words.size() == 2 &&
               ParseNumber(words[1], demo.finalPicture, 16)) {
      pictured = true;
    } else {
      return fail("\"" + std::string(line) + "\" is not a demo record");
    }
  }
  if (lineNumber == 0) return fail("this is not a Zorbulant demo");
  if (!ended || !traced || !pictured) {
    ++lineNumber;
    return fail("the demo ends early: its end, trace or picture is missing");
  }
  return demo;
}

uint64_t HashBytes(const void* data, size_t size, uint64_t hash) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::optional<uint64_t> HashDataFile(FileSystem& files, const char* name) {
  const FileSystem::Handle file = files.OpenForReading(name);
  if (file == 0) return std::nullopt;
  uint64_t hash = HashBytes(nullptr, 0);
  uint8_t buffer[16384];
  while (const uint32_t count = files.Read(file, buffer, sizeof buffer)) {
    hash = HashBytes(buffer, count, hash);
  }
  files.Close(file);
  return hash;
}

std::optional<std::string> DataMismatch(const Demo& demo, FileSystem& files) {
  for (const DemoDataFile& file : demo.dataFiles) {
    const std::optional<uint64_t> hash = HashDataFile(files, file.name.c_str());
    if (hash == file.hash) continue;
    if (!file.hash) return file.name + " was not there when the demo was recorded";
    if (!hash) return file.name + " is missing";
    return file.name + " differs";
  }
  return std::nullopt;
}

}  // namespace zorbulant
