#include "platform/win32/program_directory.h"

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

namespace zorbulant {

std::filesystem::path ProgramDirectory() {
  std::vector<char> name(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    // A name that filled the whole buffer may have been cut short.
    if (length < name.size()) {
      return std::filesystem::path(std::string(name.data(), length)).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace zorbulant
