// The program's entry: picks the backend from the command line and runs.
#include <iostream>
#include <string>
#include <vector>

#include "app/desktop_run.h"
#include "app/headless_run.h"
#include "app/options.h"

int main(int argc, char** argv) {
  using namespace zorbulant;
  const std::vector<std::string> arguments(argv, argv + argc);
  std::string error;
  const std::optional<Options> options = ParseOptions(arguments, error);
  if (!options) {
    std::cerr << "zorbulant: " << error << "\n" << UsageText();
    return 2;
  }
  if (options->help) {
    std::cout << UsageText();
    return 0;
  }
  if (options->version) {
    std::cout << "zorbulant " << ZORBULANT_VERSION << "\n";
    return 0;
  }
  if (options->headless) return RunHeadless(*options, std::cerr);
  return RunDesktop(*options, std::cerr);
}
