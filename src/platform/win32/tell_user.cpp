#include "platform/win32/tell_user.h"

#include "platform/win32/windows_api.h"

#include <string>

namespace zorbulant {

void TellUser(std::string_view text) {
  const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (error != nullptr && error != INVALID_HANDLE_VALUE &&
      ::WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return;
  }
  ::MessageBoxA(nullptr, std::string(text).c_str(), "Zorbulant", MB_OK | MB_ICONERROR);
}

}  // namespace zorbulant
