// The running program's file, as Linux's /proc tells it.
#include "platform/files/program_path.h"

#include <system_error>

namespace zorbulant {

std::optional<std::filesystem::path> RunningProgramPath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || path.empty()) return std::nullopt;
  return path;
}

}  // namespace zorbulant
