// The game's files in one directory of the local file system, found by name
// without regard to case: the game asks for "Intro001.mod" and "intro001.mod"
// alike, and data packs made on other systems differ in case.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/file_system.h"

namespace zorbulant {

class LocalFiles final : public FileSystem {
 public:
  explicit LocalFiles(std::filesystem::path directory);
  ~LocalFiles() override;
  LocalFiles(const LocalFiles&) = delete;
  LocalFiles& operator=(const LocalFiles&) = delete;

  Handle OpenForReading(const char* name) override;
  uint32_t Read(Handle file, void* destination, uint32_t length) override;
  void Close(Handle file) override;
  bool Exists(const char* name) override;

  // The path a game file name stands for, if such a file exists. Names that
  // would leave the directory (separators, "..") never match.
  std::optional<std::filesystem::path> Resolve(const char* name) const;

 private:
  std::filesystem::path directory_;
  std::vector<std::FILE*> open_;  // handle n is open_[n - 1]
};

}  // namespace zorbulant
