// Parsing the Windows program's command line.
#include "app/windows_options.h"

#include <charconv>

namespace zorbulant {

std::string WindowsUsageText() {
  return "usage: zorbulant.exe [--data DIR] [--window] [--trace FILE] [--turns N] [s]\n"
         "       zorbulant.exe --input FILE [--data DIR] [--window] [--trace FILE] [--turns N]\n"
         "       zorbulant.exe --help\n";
}

std::optional<WindowsOptions> ParseWindowsOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
  WindowsOptions options;
  // Only a bare "s" argument asks for the sound library's set-up: a path that
  // happens to end in s must not.
  options.commandLine = "zorbulant";
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return std::nullopt;
      }
      return arguments[++i];
    };
    if (argument == "s" || argument == "S") {
      options.commandLine = "zorbulant s";
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--window") {
      options.window = true;
    } else if (argument == "--data" || argument == "--input" || argument == "--trace") {
      const std::optional<std::string> text = value();
      if (!text) return std::nullopt;
      auto& path = argument == "--data"    ? options.dataDirectory
                   : argument == "--input" ? options.input
                                           : options.trace;
      path = *text;
    } else if (argument == "--turns") {
      const std::optional<std::string> text = value();
      if (!text) return std::nullopt;
      const char* end = text->data() + text->size();
      const auto [stop, failure] = std::from_chars(text->data(), end, options.turns);
      if (text->empty() || failure != std::errc() || stop != end) {
        error = "--turns needs a whole number, not \"" + *text + "\"";
        return std::nullopt;
      }
    } else {
      error = "unknown argument \"" + argument + "\"";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace zorbulant
