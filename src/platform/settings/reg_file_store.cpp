#include "platform/settings/reg_file_store.h"

#include <system_error>
#include <utility>

#include "platform/settings/durable_file.h"

namespace zorbulant {

namespace {

std::string FullKey(const char* subKey) { return std::string("HKEY_LOCAL_MACHINE\\") + subKey; }

}  // namespace

RegFileStore::RegFileStore(std::filesystem::path file) : file_(std::move(file)) {}

void RegFileStore::Reload() {
  contents_ = RegFile();
  std::string text;
  switch (ReadWholeFile(file_, text)) {
    case FileRead::Missing:
      writable_ = true;
      return;
    case FileRead::Failed:
      writable_ = false;
      return;
    case FileRead::Read:
      break;
  }
  if (auto parsed = RegFile::Parse(text)) {
    contents_ = std::move(*parsed);
    writable_ = true;
    return;
  }
  // A file that cannot be understood is kept for whoever wants to repair it,
  // and the game goes on with its defaults.
  std::filesystem::path aside = file_;
  aside += ".bad";
  std::error_code error;
  std::filesystem::rename(file_, aside, error);
  writable_ = !error;
}

int32_t RegFileStore::Save(RegFile edited) {
  if (!writable_ || !ReplaceWholeFile(file_, edited.Text())) return registry::AccessDenied;
  contents_ = std::move(edited);
  return registry::Success;
}

int32_t RegFileStore::CreateKey(const char* subKey, Key& key) {
  Reload();
  std::string path = FullKey(subKey);
  if (!contents_.HasKey(path)) {
    RegFile edited = contents_;
    edited.AddKey(path);
    if (const int32_t status = Save(std::move(edited)); status != registry::Success) return status;
  }
  key = handles_.Open(std::move(path));
  return registry::Success;
}

int32_t RegFileStore::OpenKey(const char* subKey, Key& key) {
  Reload();
  std::string path = FullKey(subKey);
  if (!contents_.HasKey(path)) return registry::FileNotFound;
  key = handles_.Open(std::move(path));
  return registry::Success;
}

int32_t RegFileStore::SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                               uint32_t size) {
  const std::string* path = handles_.Path(key);
  if (path == nullptr) return registry::InvalidHandle;
  // Edit what is on disk now, not what was there when the key was opened.
  Reload();
  RegFile edited = contents_;
  edited.Set(*path, name, RegistryValue{type, std::vector<uint8_t>(data, data + size)});
  return Save(std::move(edited));
}

int32_t RegFileStore::QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) {
  const std::string* path = handles_.Path(key);
  if (path == nullptr) return registry::InvalidHandle;
  return CopyValueOut(contents_.Find(*path, name), data, size);
}

int32_t RegFileStore::CloseKey(Key key) {
  return handles_.Close(key) ? registry::Success : registry::InvalidHandle;
}

std::optional<std::filesystem::path> DefaultSettingsPath(const char* xdgConfigHome,
                                                         const char* home) {
  std::filesystem::path base;
  // The base directory rules say a relative XDG_CONFIG_HOME is to be ignored.
  if (xdgConfigHome != nullptr && std::filesystem::path(xdgConfigHome).is_absolute()) {
    base = xdgConfigHome;
  } else if (home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".config";
  } else {
    return std::nullopt;
  }
  return base / "zorbulant" / "settings.reg";
}

}  // namespace zorbulant
