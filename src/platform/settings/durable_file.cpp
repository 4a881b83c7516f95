#include "platform/settings/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zorbulant {

namespace {

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The replacement keeps the permissions of the file it replaces; a new file
// keeps the temporary file's owner-only ones.
void KeepMode(int fd, const std::filesystem::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) == 0) fchmod(fd, status.st_mode & 07777);
}

// Makes the rename itself durable; the data is already safe, so a failure
// here does not fail the write.
void SyncDirectory(const std::filesystem::path& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

FileRead ReadWholeFile(const std::filesystem::path& file, std::string& text) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
  text.clear();
  char buffer[4096];
  while (true) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      close(fd);
      return got == 0 ? FileRead::Read : FileRead::Failed;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
}

bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view text) {
  std::error_code error;
  std::filesystem::path target = file;
  if (std::filesystem::is_symlink(file, error)) {
    const std::filesystem::path resolved = std::filesystem::canonical(file, error);
    if (!error) target = resolved;
  }
  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  std::filesystem::create_directories(directory, error);
  if (error) return false;

  // A unique name, so that two programs saving at once never share one.
  std::string temporary = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  KeepMode(fd, target);
  bool written = WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncDirectory(directory);
  return true;
}

}  // namespace zorbulant
