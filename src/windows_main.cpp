// The Windows program's entry: reads the command line and runs the game on
// the Win32 backend.
#include <string>
#include <vector>

#include "app/windows_options.h"
#include "app/windows_run.h"
#include "platform/win32/tell_user.h"

int main(int argc, char** argv) {
  using namespace zorbulant;
  const std::vector<std::string> arguments(argv, argv + argc);
  std::string error;
  const std::optional<WindowsOptions> options = ParseWindowsOptions(arguments, error);
  if (!options) {
    TellUser("zorbulant: " + error + "\n" + WindowsUsageText());
    return 2;
  }
  if (options->help) {
    TellUser(WindowsUsageText());
    return 0;
  }
  return RunWindows(*options);
}
