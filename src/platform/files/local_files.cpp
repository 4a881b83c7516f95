// Case-insensitive file access in the game's directory.
#include "platform/files/local_files.h"

#include <string>
#include <string_view>
#include <system_error>

namespace zorbulant {

namespace {

bool IsPlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\:") == std::string_view::npos;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

LocalFiles::LocalFiles(std::filesystem::path directory) : directory_(std::move(directory)) {}

LocalFiles::~LocalFiles() {
  for (std::FILE* file : open_) {
    if (file != nullptr) std::fclose(file);
  }
}

std::optional<std::filesystem::path> LocalFiles::Resolve(const char* name) const {
  const std::string_view wanted(name);
  if (!IsPlainName(wanted)) return std::nullopt;
  std::error_code error;
  const std::filesystem::path exact = directory_ / std::string(wanted);
  if (std::filesystem::is_regular_file(exact, error)) return exact;

  // Several names that differ only in case: the first in byte order wins, so
  // the choice is the same on every machine.
  std::optional<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(directory_, error)) {
    const std::string candidate = entry.path().filename().string();
    if (!EqualIgnoringCase(candidate, wanted) || !entry.is_regular_file(error)) continue;
    if (!found || candidate < found->filename().string()) found = entry.path();
  }
  return found;
}

FileSystem::Handle LocalFiles::OpenForReading(const char* name) {
  const auto path = Resolve(name);
  if (!path) return 0;
  std::FILE* file = std::fopen(path->string().c_str(), "rb");
  if (file == nullptr) return 0;
  for (size_t i = 0; i < open_.size(); ++i) {
    if (open_[i] == nullptr) {
      open_[i] = file;
      return static_cast<Handle>(i + 1);
    }
  }
  open_.push_back(file);
  return static_cast<Handle>(open_.size());
}

uint32_t LocalFiles::Read(Handle file, void* destination, uint32_t length) {
  if (file == 0 || file > open_.size() || open_[file - 1] == nullptr) return 0;
  return static_cast<uint32_t>(std::fread(destination, 1, length, open_[file - 1]));
}

void LocalFiles::Close(Handle file) {
  if (file == 0 || file > open_.size() || open_[file - 1] == nullptr) return;
  std::fclose(open_[file - 1]);
  open_[file - 1] = nullptr;
}

bool LocalFiles::Exists(const char* name) { return Resolve(name).has_value(); }

}  // namespace zorbulant
