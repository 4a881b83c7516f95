// Command-line parsing.
#include "app/options.h"

#include <charconv>

#include "app/data_directory.h"

namespace zorbulant {

namespace {

bool ParseUnsigned(const std::string& text, uint32_t& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string UsageText() {
  return "usage: zorbulant [--data DIR] [--settings FILE] [--window] [--scale N] [--no-aspect]\n"
         "                 [--refresh HZ] [--record DEMO | --play DEMO] [--frame-times FILE]\n"
         "                 [s]\n"
         "       zorbulant --help | --version\n"
         "       zorbulant --headless [--data DIR] [--turns N] [--input FILE]\n"
         "                 [--shot TURN=FILE.png]... [--trace FILE] [--settings FILE]\n"
         "                 [--refresh HZ] [--record DEMO | --play DEMO | --timedemo DEMO]\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  // The sound library's set-up runs when the command line ends in "s". Only a
  // bare "s" argument asks for it: a path that happens to end in s must not.
  options.commandLine = "zorbulant";
  bool dataGiven = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      out = arguments[++i];
      return true;
    };
    auto number = [&](uint32_t& out) {
      std::string text;
      if (!value(text)) return false;
      if (ParseUnsigned(text, out)) return true;
      error = argument + " needs a whole number, not \"" + text + "\"";
      return false;
    };
    std::string text;
    if (argument == "s" || argument == "S") {
      options.commandLine = "zorbulant s";
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--headless") {
      options.headless = true;
    } else if (argument == "--data") {
      if (!value(text)) return std::nullopt;
      options.dataDirectory = text;
      dataGiven = true;
    } else if (argument == "--turns") {
      if (!number(options.turns)) return std::nullopt;
    } else if (argument == "--refresh") {
      if (!number(options.refreshHertz)) return std::nullopt;
    } else if (argument == "--window") {
      options.window = true;
    } else if (argument == "--no-aspect") {
      options.aspectCorrection = false;
    } else if (argument == "--scale") {
      if (!number(options.scale)) return std::nullopt;
      if (options.scale == 0 || options.scale > 16) {
        error = "--scale needs a whole number from 1 to 16";
        return std::nullopt;
      }
      options.window = true;
    } else if (argument == "--input") {
      if (!value(text)) return std::nullopt;
      options.input = text;
    } else if (argument == "--trace") {
      if (!value(text)) return std::nullopt;
      options.trace = text;
    } else if (argument == "--settings") {
      if (!value(text)) return std::nullopt;
      options.settings = text;
    } else if (argument == "--frame-times") {
      if (!value(text)) return std::nullopt;
      options.frameTimes = text;
    } else if (argument == "--record") {
      if (!value(text)) return std::nullopt;
      options.record = text;
    } else if (argument == "--play" || argument == "--timedemo") {
      if (!value(text)) return std::nullopt;
      options.play = text;
      options.timedemo = argument == "--timedemo";
    } else if (argument == "--shot") {
      if (!value(text)) return std::nullopt;
      const size_t equals = text.find('=');
      ShotRequest shot;
      if (equals == std::string::npos || !ParseUnsigned(text.substr(0, equals), shot.turn) ||
          shot.turn == 0 || equals + 1 == text.size()) {
        error = "--shot needs TURN=FILE.png with a turn of 1 or more, not \"" + text + "\"";
        return std::nullopt;
      }
      shot.file = text.substr(equals + 1);
      options.shots.push_back(shot);
    } else {
      error = "unknown argument \"" + argument + "\"";
      return std::nullopt;
    }
  }
  if (options.record && options.play) {
    error = "a session cannot record a demo while it plays one";
    return std::nullopt;
  }
  if (options.timedemo && !options.headless) {
    error = "--timedemo runs headless only; add --headless";
    return std::nullopt;
  }
  if (options.play && options.input) {
    error = "a demo brings its own input; --input cannot go with --play";
    return std::nullopt;
  }
  if (!dataGiven) options.dataDirectory = DefaultDataDirectory();
  return options;
}

}  // namespace zorbulant
