// Finding the data pack: installed beside the program, or the build's own.
#include "app/data_directory.h"

#include <system_error>

#include "platform/files/program_path.h"

namespace zorbulant {

std::filesystem::path ChooseDataDirectory(const std::optional<std::filesystem::path>& program,
                                          const std::filesystem::path& fromProgram,
                                          const std::filesystem::path& built) {
  if (!program) return built;
  const std::filesystem::path installed = (program->parent_path() / fromProgram).lexically_normal();
  std::error_code error;
  if (std::filesystem::is_directory(installed, error)) return installed;
  if (std::filesystem::is_directory(built, error)) return built;
  return installed;
}

std::filesystem::path DefaultDataDirectory() {
  return ChooseDataDirectory(RunningProgramPath(), ZORBULANT_DATA_FROM_PROGRAM, ZORBULANT_DATA_DIR);
}

}  // namespace zorbulant
